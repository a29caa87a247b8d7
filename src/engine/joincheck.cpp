#include "joincheck.h"

#include "tasklist/timetext.h"

#include <QCoreApplication>
#include <QtMath>

MediaReader LibraryMediaReader()
{
    return [](const QString &path) -> std::optional<ProbeResult> { return ProbeMediaFile(path); };
}

QString JoinedOutputProblem(const ProbeResult &found, const JoinExpectation &expected)
{
    if (!found.hasPlayTime || !found.hasVideo)
        return QCoreApplication::translate("Job", "The joined file holds no readable video.");
    if (expected.sound && !found.hasAudio)
        return QCoreApplication::translate(
            "Job", "The joined file holds no sound, although the videos had sound.");
    const double tolerance = qMax(0.5, expected.seconds * 0.01);
    if (qAbs(found.seconds - expected.seconds) > tolerance) {
        return QCoreApplication::translate("Job",
                                           "The joined file should play for %1 but plays for %2.")
            .arg(SecondsToTimeText(expected.seconds), SecondsToTimeText(found.seconds));
    }
    return QString();
}

QString ShortConversionWarning(const QString &input, double statedSeconds, double convertedSeconds)
{
    if (statedSeconds <= 0 || convertedSeconds < 0)
        return QString();
    const double missing = statedSeconds - convertedSeconds;
    if (missing <= qMax(1.0, statedSeconds * 0.02))
        return QString();
    return QCoreApplication::translate(
               "Job", "\"%1\" could be read only in part: %2 of its %3 are in the joined "
                      "video, %4 is missing. The file may be damaged or incomplete.")
        .arg(input, SecondsToTimeText(convertedSeconds), SecondsToTimeText(statedSeconds),
             SecondsToTimeText(missing));
}
