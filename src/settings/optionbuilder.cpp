#include "optionbuilder.h"

#include "inifile.h"
#include "profiles.h"

#include <QStringList>

namespace {

const QString Mp2Caption = QStringLiteral("MP2");
constexpr int Mp2BitrateLimit = 128;

// The profile file as it stands when the options are built.
class ProfileValues {
public:
    explicit ProfileValues(const QString &path)
        : m_doc(IniDocument::load(path))
    {
    }

    QString value(const QString &section, int position, const QString &fallback) const
    {
        return m_doc.readString(section, ProfileValueKey(position), fallback);
    }
    QString outputType() const
    {
        return m_doc.readString(QStringLiteral("Main"), QStringLiteral("Type"),
                                QStringLiteral("avi"));
    }

private:
    IniDocument m_doc;
};

QString frameSize(const WorkingSelection &s, const ProfileValues &profile,
                  const QString &listFallback)
{
    if (s.listSize)
        return profile.value(VideoSizeSection, s.videoSize, listFallback);
    return s.width + QLatin1Char(':') + s.height;
}

QString limitedAudioBitrate(const WorkingSelection &s)
{
    if (s.audioCodecText != Mp2Caption)
        return s.audioBitrate;
    const std::optional<int> bitrate = ReadWholeNumber(s.audioBitrate);
    if (bitrate && *bitrate > Mp2BitrateLimit)
        return QString::number(Mp2BitrateLimit);
    return s.audioBitrate;
}

QString videoOptions(const WorkingSelection &s, const ProfileValues &profile)
{
    const QString codec = profile.value(VideoCodecSection, s.videoCodec, QStringLiteral("mpeg4"));
    const QString aspect = s.aspect != 0
                               ? QStringLiteral("aspect=") +
                                     profile.value(AspectSection, s.aspect, QStringLiteral("16:9"))
                               : QStringLiteral("autoaspect");
    return QStringLiteral("vcodec=") + codec + QStringLiteral(":vbitrate=") + s.videoBitrate +
           QStringLiteral(":mbd=2:") + aspect;
}

struct AudioPart {
    QString encoder;
    QString flag;
    QString options;
};

QString mp3Options(const WorkingSelection &s, const ProfileValues &profile)
{
    const QString mode = profile.value(Mp3EncodeSection, s.mp3Mode, QStringLiteral("vbr"));
    if (mode == QLatin1String("vbr"))
        return QStringLiteral("vbr=2:q=") +
               profile.value(VbrQualitySection, s.mp3Quality, QStringLiteral("6"));
    return mode + QStringLiteral(":br=") +
           profile.value(AbrCbrBitrateSection, s.mp3Bitrate, QStringLiteral("224"));
}

AudioPart audioPart(const WorkingSelection &s, const ProfileValues &profile)
{
    if (s.audioCodecText == QLatin1String("MP3"))
        return {QStringLiteral("mp3lame"), QStringLiteral("-lameopts"), mp3Options(s, profile)};
    if (s.audioCodecText == QLatin1String("PCM"))
        return {QStringLiteral("pcm"), QString(), QString()};
    const QString codec = profile.value(AudioCodecSection, s.audioCodec, QStringLiteral("ac3"));
    return {QStringLiteral("lavc"), QStringLiteral("-lavcopts"),
            QStringLiteral("acodec=") + codec + QStringLiteral(":abitrate=") +
                limitedAudioBitrate(s)};
}

} // namespace

std::optional<int> ReadWholeNumber(const QString &text)
{
    const int start =
        (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+'))) ? 1 : 0;
    if (text.size() <= start)
        return std::nullopt;
    for (int i = start; i < text.size(); ++i) {
        if (text.at(i) < QLatin1Char('0') || text.at(i) > QLatin1Char('9'))
            return std::nullopt;
    }
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

bool AudioBitrateAcceptable(const WorkingSelection &s)
{
    return s.audioCodecText != Mp2Caption || ReadWholeNumber(s.audioBitrate).has_value();
}

QString ContainerOptions(const QString &outputType)
{
    const QString type = outputType.toLower();
    if (type == QLatin1String("avi"))
        return QString();
    // The encoder's own MPEG muxer cuts the end of the sound off, so every
    // container other than AVI goes through the general muxer.
    QString format;
    if (type == QLatin1String("mpg") || type == QLatin1String("mpeg"))
        format = QStringLiteral("mpeg");
    else if (type == QLatin1String("vob"))
        format = QStringLiteral("vob");
    else if (type == QLatin1String("mp4") || type == QLatin1String("mov") ||
             type == QLatin1String("flv"))
        format = type;
    else if (type == QLatin1String("wmv") || type == QLatin1String("asf"))
        format = QStringLiteral("asf");
    else if (type == QLatin1String("mkv"))
        format = QStringLiteral("matroska");
    // Any other type: the general muxer picks the container by the output
    // file's name.
    return format.isEmpty() ? QStringLiteral(" -of lavf")
                            : QStringLiteral(" -of lavf -lavfopts format=") + format;
}

QString BuildVideoSize(const WorkingSelection &s, const QString &profilePath)
{
    return frameSize(s, ProfileValues(profilePath), QStringLiteral("224"));
}

QString CopyJoinOptions()
{
    return QStringLiteral(" -ovc copy -oac copy -of lavf");
}

static bool copiesStreams(const ProfileValues &profile)
{
    return profile.outputType().compare(CopyProfileType, Qt::CaseInsensitive) == 0;
}

QString BuildPictureCodecOptions(const WorkingSelection &s, const QString &profilePath)
{
    return videoOptions(s, ProfileValues(profilePath));
}

QString BuildJoinOptions(const WorkingSelection &s, const QString &profilePath)
{
    const ProfileValues profile(profilePath);
    if (copiesStreams(profile))
        return CopyJoinOptions();
    const AudioPart audio = audioPart(s, profile);
    const QStringList pieces{
        QStringLiteral("copy"),
        QStringLiteral("-oac"),
        audio.encoder,
        audio.flag,
        audio.options,
        QStringLiteral("-channels"),
        profile.value(ChannelsSection, s.channels, QStringLiteral("2")),
        QStringLiteral("-srate"),
        s.sampleRate,
    };
    return QStringLiteral(" -ovc ") + pieces.join(QLatin1Char(' ')) +
           ContainerOptions(profile.outputType());
}
