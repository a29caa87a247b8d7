#include "copycheck.h"

#include "engine/outputname.h"
#include "settings/profiles.h"

#include <QFileInfo>

namespace {

QString sizeOf(const ProbeResult &facts)
{
    return QStringLiteral("%1x%2").arg(facts.width).arg(facts.height);
}

// The facts a copy must keep, in the order they are told.
struct CopyFact {
    const char *name;
    QString (*value)(const ProbeResult &);
};

const CopyFact CopyFacts[] = {
    {"container", [](const ProbeResult &f) { return f.containerFormat; }},
    {"video codec", [](const ProbeResult &f) { return f.videoFormat; }},
    {"frame size", sizeOf},
    {"frame rate", [](const ProbeResult &f) { return f.frameRate; }},
    {"sound codec", [](const ProbeResult &f) { return f.audioFormat; }},
    {"sample rate", [](const ProbeResult &f) { return f.sampleRate; }},
    {"channel count", [](const ProbeResult &f) { return f.channels; }},
};

QString shown(const QString &value)
{
    return value.isEmpty() ? QStringLiteral("none") : value;
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
                return CopyDifference{input, QString::fromLatin1(fact.name), found, expected};
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
    QString text = QStringLiteral("\"%1\" differs from \"%2\" in its %3 (%4, not %5). ")
                       .arg(nameOf(differing, first), nameOf(first, differing), difference->fact,
                            shown(difference->found), shown(difference->expected));
    text += reencodingProfile.isEmpty()
                ? QStringLiteral("Choose a profile that re-encodes.")
                : QStringLiteral("Choose a profile that re-encodes, such as \"%1\".")
                      .arg(reencodingProfile);
    return StartRefusal{QStringLiteral("Videos Differ"), text, StartRefusal::KeepFocus};
}

QString ReencodingProfile(const QString &programDir)
{
    for (const QString &entry : ProfileCatalogue(programDir)) {
        if (!ProfileCopiesStreams(ProfilePath(programDir, entry)))
            return entry;
    }
    return QString();
}

QString CopyOutputExtension(const QString &firstInput)
{
    const QString name = FileNamePart(firstInput);
    const int point = name.lastIndexOf(QLatin1Char('.'));
    return point < 0 ? QString() : name.mid(point);
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
