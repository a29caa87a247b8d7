#include "copycheck.h"

#include "engine/outputname.h"
#include "platform/filepaths.h"
#include "settings/profiles.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace {

QString sizeOf(const ProbeResult &facts)
{
    return QStringLiteral("%1x%2").arg(facts.width).arg(facts.height);
}

struct CopyFact {
    const char *name;
    QString (*value)(const ProbeResult &);
};

QString rotationOf(const ProbeResult &facts)
{
    return QStringLiteral("%1°").arg(facts.rotation);
}

// Only pictures and sound are copied; other streams (subtitles, chapters, a
// camera's data) are left out and need not agree.
QString streamsOf(const ProbeResult &facts)
{
    return QCoreApplication::translate("Job", "%1 video and %2 sound")
        .arg(facts.videoStreams)
        .arg(facts.soundStreams);
}

// The facts a copy must keep, in the order they are told. Bit depth and
// chroma format come before the profile they imply, as the plainer reason.
const CopyFact CopyFacts[] = {
    {QT_TRANSLATE_NOOP("Job", "container"), [](const ProbeResult &f) { return f.containerFormat; }},
    {QT_TRANSLATE_NOOP("Job", "video codec"), [](const ProbeResult &f) { return f.videoFormat; }},
    {QT_TRANSLATE_NOOP("Job", "bit depth"), [](const ProbeResult &f) { return f.bitDepth; }},
    {QT_TRANSLATE_NOOP("Job", "chroma format"),
     [](const ProbeResult &f) { return f.chromaFormat; }},
    {QT_TRANSLATE_NOOP("Job", "video profile"),
     [](const ProbeResult &f) { return f.videoProfile; }},
    {QT_TRANSLATE_NOOP("Job", "frame size"), sizeOf},
    {QT_TRANSLATE_NOOP("Job", "pixel aspect ratio"),
     [](const ProbeResult &f) { return f.pixelAspect; }},
    {QT_TRANSLATE_NOOP("Job", "rotation"), rotationOf},
    {QT_TRANSLATE_NOOP("Job", "frame rate"), [](const ProbeResult &f) { return f.frameRate; }},
    {QT_TRANSLATE_NOOP("Job", "field order"), [](const ProbeResult &f) { return f.fieldOrder; }},
    {QT_TRANSLATE_NOOP("Job", "sound codec"), [](const ProbeResult &f) { return f.audioFormat; }},
    {QT_TRANSLATE_NOOP("Job", "sample rate"), [](const ProbeResult &f) { return f.sampleRate; }},
    {QT_TRANSLATE_NOOP("Job", "channel count"), [](const ProbeResult &f) { return f.channels; }},
    {QT_TRANSLATE_NOOP("Job", "channel layout"),
     [](const ProbeResult &f) { return f.channelLayout; }},
    {QT_TRANSLATE_NOOP("Job", "streams"), streamsOf},
};

QString shown(const QString &value)
{
    return value.isEmpty() ? QCoreApplication::translate("Job", "none") : value;
}

// The file names say which files are meant, unless both have the same name.
QString nameOf(const QString &path, const QString &other)
{
    const QString name = FileNamePart(path);
    return name == FileNamePart(other) ? path : name;
}

} // namespace

std::optional<CopyDifference> FirstCopyDifference(const QList<ProbeResult> &facts)
{
    for (int input = 1; input < facts.size(); ++input) {
        for (const CopyFact &fact : CopyFacts) {
            const QString expected = fact.value(facts.first());
            const QString found = fact.value(facts.at(input));
            if (found != expected)
                return CopyDifference{input, QCoreApplication::translate("Job", fact.name), found,
                                      expected};
        }
    }
    return std::nullopt;
}

std::optional<StartRefusal> CheckCopyJoin(const QList<PlanInput> &inputs,
                                          const QString &reencodingProfile)
{
    QList<ProbeResult> facts;
    for (const PlanInput &input : inputs)
        facts << input.facts;
    const std::optional<CopyDifference> difference = FirstCopyDifference(facts);
    if (!difference)
        return std::nullopt;
    const QString first = inputs.first().path;
    const QString differing = inputs.at(difference->input).path;
    QString text =
        QCoreApplication::translate("Job", "\"%1\" differs from \"%2\" in its %3 (%4, not %5). ")
            .arg(nameOf(differing, first), nameOf(first, differing), difference->fact,
                 shown(difference->found), shown(difference->expected));
    text += reencodingProfile.isEmpty()
                ? QCoreApplication::translate("Job", "Choose a profile that re-encodes.")
                : QCoreApplication::translate("Job",
                                              "Choose a profile that re-encodes, such as \"%1\".")
                      .arg(reencodingProfile);
    return StartRefusal{QCoreApplication::translate("Job", "Videos Differ"), text,
                        StartRefusal::KeepFocus};
}

QString ReencodingProfile(const QString &programDir)
{
    for (const QString &entry : ProfileCatalogue(programDir)) {
        if (!ProfileCopiesStreams(ProfilePath(programDir, entry)))
            return entry;
    }
    return QString();
}

double CopiedSeconds(const ProbeResult &facts)
{
    double soundEnd = facts.soundEnd;
    if (soundEnd >= 0 && facts.soundSeconds > 0 && facts.soundPacketSeconds > 0) {
        // A last packet cut short by a tenth or less is a rounding of the
        // stated length, not a packet of its own.
        const double packets = std::ceil(facts.soundSeconds / facts.soundPacketSeconds - 0.1);
        soundEnd += packets * facts.soundPacketSeconds - facts.soundSeconds;
    }
    const double end = std::max(facts.pictureEnd, soundEnd);
    return end > 0 ? end : facts.seconds;
}

QString CopyOutputExtension(const QString &firstInput)
{
    return ExtensionOf(firstInput);
}

double CopiedKbitPerSecond(const QStringList &inputs, double seconds)
{
    if (seconds <= 0)
        return 0;
    qint64 bytes = 0;
    for (const QString &input : inputs)
        bytes += QFileInfo(input).size();
    return bytes * 8 / 1000.0 / seconds;
}
