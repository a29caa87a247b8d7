#include "jobfailure.h"

#include "engine/tempfiles.h"

static QString HowItEnded(const RunOutcome &outcome, const QString &outputPath)
{
    if (outcome.kind == RunOutcome::Crashed)
        return QStringLiteral("The encoder crashed.");
    if (outcome.kind == RunOutcome::Stalled)
        return QStringLiteral("The encoder showed no progress for %1 seconds and was ended.")
            .arg(EncoderRun::defaultStallLimit() / 1000.0);
    if (outcome.kind == RunOutcome::Overran)
        return QStringLiteral("The encoder kept running after its work was done and was ended.");
    if (outcome.kind == RunOutcome::Exited && outcome.exitCode != 0)
        return QStringLiteral("The encoder ended with exit code %1.").arg(outcome.exitCode);
    if (!IsWrittenFile(outputPath))
        return QStringLiteral("The encoder wrote nothing to \"%1\".").arg(outputPath);
    return QString();
}

QString RunFailureText(const QString &what, const RunOutcome &outcome, const QString &outputPath,
                       const QStringList &lastLines)
{
    QString text = what;
    const QString how = HowItEnded(outcome, outputPath);
    if (!how.isEmpty())
        text += QLatin1Char('\n') + how;
    if (!lastLines.isEmpty())
        text += QStringLiteral("\n\nLast lines of the encoder's output:\n") +
                lastLines.join(QLatin1Char('\n'));
    return text;
}
