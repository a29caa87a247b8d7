#include "jobfailure.h"

#include "engine/tempfiles.h"

#include <QCoreApplication>

static QString HowItEnded(const RunOutcome &outcome, const QString &outputPath)
{
    if (outcome.kind == RunOutcome::Crashed)
        return QCoreApplication::translate("Job", "The encoder crashed.");
    if (outcome.kind == RunOutcome::Stalled)
        return QCoreApplication::translate(
                   "Job", "The encoder showed no progress for %1 seconds and was ended.")
            .arg(EncoderRun::defaultStallLimit() / 1000.0);
    if (outcome.kind == RunOutcome::Overran)
        return QCoreApplication::translate(
            "Job", "The encoder kept running after its work was done and was ended.");
    if (outcome.kind == RunOutcome::Exited && outcome.exitCode != 0)
        return QCoreApplication::translate("Job", "The encoder ended with exit code %1.")
            .arg(outcome.exitCode);
    if (!IsWrittenFile(outputPath))
        return QCoreApplication::translate("Job", "The encoder wrote nothing to \"%1\".")
            .arg(outputPath);
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
        text += QCoreApplication::translate("Job", "\n\nLast lines of the encoder's output:\n") +
                lastLines.join(QLatin1Char('\n'));
    return text;
}
