#include "profiles.h"

#include "inifile.h"
#include "platform/filepaths.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString ProfilesFolder = QStringLiteral("Profiles/");
const QString ProfileExtension = QStringLiteral(".bpf");
// A mistyped "Items" must not make a box of millions of empty choices.
constexpr int MaxProfileItems = 10000;

bool lessIgnoringCase(const QString &a, const QString &b)
{
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

// One pass over the text per section: looking each caption up in the text
// made a large profile cost its size times its captions.
ProfileOption readOption(const IniDocument &doc, const QString &section)
{
    const QHash<QString, QString> values = doc.sectionValues(section);
    ProfileOption option;
    option.section = section;
    const int items =
        std::min(IniTextToInt(values.value(QStringLiteral("items")), 0), MaxProfileItems);
    for (int k = 0; k < items; ++k)
        option.captions.append(values.value(QStringLiteral("caption%1").arg(k)));
    option.index = IniTextToInt(values.value(QStringLiteral("index")), -1);
    option.description = values.value(QStringLiteral("description"));
    return option;
}

} // namespace

QStringList ProfileOptionSections()
{
    return {VideoCodecSection,   VideoSizeSection,  VideoBitrateSection, AspectSection,
            AudioCodecSection,   Mp3EncodeSection,  VbrQualitySection,   AbrCbrBitrateSection,
            AudioBitrateSection, SampleRateSection, ChannelsSection,     VideoQualitySection,
            SpeedSection,        FrameRateSection,  ChaptersSection,     LoudnessSection};
}

QStringList FindProfiles(const QString &folder, const QString &extension)
{
    const QStringList names = QDir(folder).entryList(QDir::Files);
    QStringList kept;
    const QString wanted = extension.toLower();
    for (const QString &name : names) {
        if (ExtensionOf(name).toLower() == wanted)
            kept.append(name);
    }
    std::sort(kept.begin(), kept.end(), lessIgnoringCase);
    return kept;
}

QStringList ProfileCatalogue(const QString &programDir)
{
    QStringList entries;
    for (const QString &name : FindProfiles(programDir + ProfilesFolder, ProfileExtension))
        entries.append(StripExtension(name));
    return entries;
}

QString ProfilePath(const QString &programDir, const QString &entryText)
{
    const QString folder = programDir + ProfilesFolder;
    const QString usual = folder + entryText + ProfileExtension;
    if (QFileInfo(usual).isFile())
        return usual;
    // The catalogue lists "Custom.BPF" as "Custom": find the name it came from.
    for (const QString &name : FindProfiles(folder, ProfileExtension)) {
        if (StripExtension(name) == entryText)
            return folder + name;
    }
    return usual;
}

std::optional<OutputProfile> ReadProfile(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    return ProfileFromDocument(IniDocument::load(path), path);
}

OutputProfile ProfileFromDocument(const IniDocument &doc, const QString &path)
{
    OutputProfile profile;
    profile.path = path;
    const QString type =
        doc.readString(QStringLiteral("Main"), QStringLiteral("Type"), QStringLiteral("avi"));
    profile.copiesStreams = type.compare(CopyProfileType, Qt::CaseInsensitive) == 0;
    profile.choosesForInputs = type.compare(AutomaticProfileType, Qt::CaseInsensitive) == 0;
    if (!profile.copiesStreams && !profile.choosesForInputs)
        profile.outputExtension = QLatin1Char('.') + type;
    for (const QString &section : ProfileOptionSections())
        profile.options.append(readOption(doc, section));
    return profile;
}

bool ProfileCopiesStreams(const QString &path)
{
    const QString type = IniFile(path).readString(QStringLiteral("Main"), QStringLiteral("Type"));
    return type.compare(CopyProfileType, Qt::CaseInsensitive) == 0;
}

bool ProfileChoosesForInputs(const QString &path)
{
    const QString type = IniFile(path).readString(QStringLiteral("Main"), QStringLiteral("Type"));
    return type.compare(AutomaticProfileType, Qt::CaseInsensitive) == 0;
}

namespace {

int initialPosition(const OutputProfile &profile, const QString &section)
{
    for (const ProfileOption &option : profile.options) {
        if (option.section == section)
            return option.index >= 0 && option.index < option.captions.size() ? option.index : -1;
    }
    return -1;
}

QString initialText(const OutputProfile &profile, const QString &section)
{
    const int position = initialPosition(profile, section);
    for (const ProfileOption &option : profile.options) {
        if (option.section == section && position >= 0)
            return option.captions.at(position);
    }
    return QString();
}

} // namespace

WorkingSelection InitialSelection(const OutputProfile &profile)
{
    WorkingSelection s;
    s.videoCodec = initialPosition(profile, VideoCodecSection);
    s.videoBitrate = initialText(profile, VideoBitrateSection);
    s.aspect = initialPosition(profile, AspectSection);
    s.audioCodec = initialPosition(profile, AudioCodecSection);
    s.audioCodecText = initialText(profile, AudioCodecSection);
    s.audioBitrate = initialText(profile, AudioBitrateSection);
    s.mp3Mode = initialPosition(profile, Mp3EncodeSection);
    s.mp3Quality = initialPosition(profile, VbrQualitySection);
    s.mp3Bitrate = initialPosition(profile, AbrCbrBitrateSection);
    s.channels = initialPosition(profile, ChannelsSection);
    s.listSize = true;
    s.videoSize = initialPosition(profile, VideoSizeSection);
    s.sampleRate = initialText(profile, SampleRateSection);
    s.videoQuality = initialPosition(profile, VideoQualitySection);
    s.speed = initialPosition(profile, SpeedSection);
    s.frameRate = initialPosition(profile, FrameRateSection);
    s.chapters = initialPosition(profile, ChaptersSection);
    s.loudness = initialPosition(profile, LoudnessSection);
    return s;
}

QString ReadProfileDescription(const QString &path, const QString &section)
{
    return IniFile(path).readString(section, QStringLiteral("Description"));
}

QString ProfileValueKey(int position)
{
    return QStringLiteral("value%1").arg(position);
}

int ProfileValuePosition(const OutputProfile &profile, const QString &section, const QString &value)
{
    for (const ProfileOption &option : profile.options) {
        if (option.section != section)
            continue;
        const IniDocument file = IniDocument::load(profile.path);
        for (int position = 0; position < option.captions.size(); ++position) {
            if (file.readString(section, ProfileValueKey(position), QString()) == value)
                return position;
        }
    }
    return -1;
}

QString ReadProfileValue(const QString &path, const QString &section, int position,
                         const QString &fallback)
{
    return IniFile(path).readString(section, ProfileValueKey(position), fallback);
}
