#include "optionbuilder.h"

#include "contract/valueforms.h"
#include "encodervalues.h"
#include "inifile.h"
#include "profiles.h"

#include <QStringList>

#include <functional>

namespace {

const QString Mp2Caption = QStringLiteral("MP2");
constexpr int Mp2BitrateLimit = 128;
// The frame of the join when the profile's size list has no value at the
// selected position.
const QString JoinFrameDefault = QStringLiteral("640:480");
// The "Video Quality" value that hands the Video Bitrate box's text on.
const QString BitrateChoice = QStringLiteral("bitrate");

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
    bool fastStart() const
    {
        return m_doc.readBool(QStringLiteral("Main"), QStringLiteral("Fast Start"), false);
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

QString videoCodec(const WorkingSelection &s, const ProfileValues &profile)
{
    return profile.value(VideoCodecSection, s.videoCodec, QStringLiteral("mpeg4"));
}

// Read only when an aspect other than the automatic one is selected.
QString aspectValue(const WorkingSelection &s, const ProfileValues &profile)
{
    return profile.value(AspectSection, s.aspect, QStringLiteral("16:9"));
}

// The selected CRF; empty when the picture is given a bitrate instead (the
// profile has no quality choice, or its choice says "bitrate").
QString constantQuality(const WorkingSelection &s, const ProfileValues &profile)
{
    const QString value = profile.value(VideoQualitySection, s.videoQuality, QString());
    return value == BitrateChoice ? QString() : value;
}

QString frameRate(const WorkingSelection &s, const ProfileValues &profile)
{
    return profile.value(FrameRateSection, s.frameRate, QStringLiteral("30"));
}

// The first video's rate is read and checked at Start, from its facts.
bool isFrameRate(const QString &text)
{
    return text == SameAsFirstVideoValue || RateText(text).has_value();
}

QString speedValue(const WorkingSelection &s, const ProfileValues &profile)
{
    return profile.value(SpeedSection, s.speed, QString());
}

// "crf=22" or "vbitrate=1200"; then the encoder's speed key when a speed
// is chosen, "preset=fast" or VP9's "speed=4".
QString rateAndSpeed(const WorkingSelection &s, const ProfileValues &profile)
{
    const QString crf = constantQuality(s, profile);
    QString text =
        crf.isEmpty() ? QStringLiteral("vbitrate=") + s.videoBitrate : QStringLiteral("crf=") + crf;
    const QString speed = speedValue(s, profile);
    const QString key = SpeedOptionKey(videoCodec(s, profile));
    if (!speed.isEmpty())
        text += QLatin1Char(':') + (key.isEmpty() ? QStringLiteral("preset") : key) +
                QLatin1Char('=') + speed;
    return text;
}

QString videoOptions(const WorkingSelection &s, const ProfileValues &profile)
{
    const QString aspect = s.aspect != 0 ? QStringLiteral("aspect=") + aspectValue(s, profile)
                                         : QStringLiteral("autoaspect");
    return QStringLiteral("vcodec=") + videoCodec(s, profile) + QLatin1Char(':') +
           rateAndSpeed(s, profile) + QStringLiteral(":mbd=2:") + aspect;
}

struct AudioPart {
    QString encoder;
    QString flag;
    QString options;
};

QString mp3Mode(const WorkingSelection &s, const ProfileValues &profile)
{
    return profile.value(Mp3EncodeSection, s.mp3Mode, QStringLiteral("vbr"));
}

QString mp3Quality(const WorkingSelection &s, const ProfileValues &profile)
{
    return profile.value(VbrQualitySection, s.mp3Quality, QStringLiteral("6"));
}

QString mp3Bitrate(const WorkingSelection &s, const ProfileValues &profile)
{
    return profile.value(AbrCbrBitrateSection, s.mp3Bitrate, QStringLiteral("224"));
}

QString audioCodec(const WorkingSelection &s, const ProfileValues &profile)
{
    return profile.value(AudioCodecSection, s.audioCodec, QStringLiteral("ac3"));
}

QString channels(const WorkingSelection &s, const ProfileValues &profile)
{
    return profile.value(ChannelsSection, s.channels, QStringLiteral("2"));
}

QString mp3Options(const WorkingSelection &s, const ProfileValues &profile)
{
    const QString mode = mp3Mode(s, profile);
    if (mode == QLatin1String("vbr"))
        return QStringLiteral("vbr=2:q=") + mp3Quality(s, profile);
    return mode + QStringLiteral(":br=") + mp3Bitrate(s, profile);
}

bool isMp3(const WorkingSelection &s)
{
    return s.audioCodecText == QLatin1String("MP3");
}

bool isPcm(const WorkingSelection &s)
{
    return s.audioCodecText == QLatin1String("PCM");
}

AudioPart audioPart(const WorkingSelection &s, const ProfileValues &profile)
{
    if (isMp3(s))
        return {QStringLiteral("mp3lame"), QStringLiteral("-lameopts"), mp3Options(s, profile)};
    if (isPcm(s))
        return {QStringLiteral("pcm"), QString(), QString()};
    return {QStringLiteral("lavc"), QStringLiteral("-lavcopts"),
            QStringLiteral("acodec=") + audioCodec(s, profile) + QStringLiteral(":abitrate=") +
                limitedAudioBitrate(s)};
}

// One value handed to the encoder, where it came from and whether it has
// the form the encoder takes.
struct HandedValue {
    QString section;
    QString text;
    std::function<bool(const QString &)> fits;
};

bool isBitrate(const QString &text)
{
    return WholeNumberIn(text, 1, 999999999).has_value();
}

bool isSoundBitrate(const QString &text)
{
    return WholeNumberIn(text, 8, 1536).has_value();
}

bool isMp3Bitrate(const QString &text)
{
    return WholeNumberIn(text, 8, 640).has_value();
}

bool isMp3Quality(const QString &text)
{
    return WholeNumberIn(text, 0, 9).has_value();
}

bool isMp3Mode(const QString &text)
{
    return text == QLatin1String("vbr") || text == QLatin1String("abr") ||
           text == QLatin1String("cbr");
}

bool isChannelCount(const QString &text)
{
    return WholeNumberIn(text, 1, 8).has_value();
}

bool isDisplayShape(const QString &text)
{
    return AspectText(text).has_value();
}

// The first video's size is read and checked at Start, from its facts.
bool isFrameSize(const QString &text)
{
    return text == SameAsFirstVideoValue || ReadFrameSize(text).has_value();
}

QList<HandedValue> audioValues(const WorkingSelection &s, const ProfileValues &profile)
{
    if (isPcm(s))
        return {};
    if (!isMp3(s))
        return {{AudioCodecSection, audioCodec(s, profile), IsKnownAudioEncoder},
                {AudioBitrateSection, limitedAudioBitrate(s), isSoundBitrate}};
    const QString mode = mp3Mode(s, profile);
    if (!isMp3Mode(mode))
        return {{Mp3EncodeSection, mode, isMp3Mode}};
    if (mode == QLatin1String("vbr"))
        return {{VbrQualitySection, mp3Quality(s, profile), isMp3Quality}};
    return {{AbrCbrBitrateSection, mp3Bitrate(s, profile), isMp3Bitrate}};
}

// A CRF on the encoder's own scale, or a bitrate; a speed from the
// encoder's own list.
QList<HandedValue> rateValues(const WorkingSelection &s, const ProfileValues &profile,
                              const QString &codec)
{
    QList<HandedValue> values;
    const QString crf = constantQuality(s, profile);
    if (crf.isEmpty()) {
        values << HandedValue{VideoBitrateSection, s.videoBitrate, isBitrate};
    } else {
        values << HandedValue{VideoQualitySection, crf, [codec](const QString &text) {
                                  const auto scale = ConstantQualityScale(codec);
                                  return scale && WholeNumberIn(text, scale->best, scale->worst);
                              }};
    }
    const QString speed = speedValue(s, profile);
    if (!speed.isEmpty())
        values << HandedValue{SpeedSection, speed, [codec](const QString &text) {
                                  return IsEncoderPreset(codec, text) ||
                                         EncoderSpeed(codec, text).has_value();
                              }};
    return values;
}

// Every value a re-encoding job hands to the encoder, in the order of the
// dialog's boxes.
QList<HandedValue> handedValues(const WorkingSelection &s, const ProfileValues &profile)
{
    const QString codec = videoCodec(s, profile);
    QList<HandedValue> values{{VideoCodecSection, codec, IsKnownVideoEncoder}};
    values << rateValues(s, profile, codec);
    if (s.aspect != 0)
        values << HandedValue{AspectSection, aspectValue(s, profile), isDisplayShape};
    values << HandedValue{VideoSizeSection, frameSize(s, profile, JoinFrameDefault), isFrameSize};
    values << HandedValue{FrameRateSection, frameRate(s, profile), isFrameRate};
    values << audioValues(s, profile);
    values << HandedValue{ChannelsSection, channels(s, profile), isChannelCount}
           << HandedValue{SampleRateSection, s.sampleRate, isBitrate};
    return values;
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

QString ContainerOptions(const QString &outputType, bool fastStart)
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
    else if (type == QLatin1String("webm"))
        format = type;
    // Only the MP4 and QuickTime muxers can put the index first.
    if (fastStart && (format == QLatin1String("mp4") || format == QLatin1String("mov")))
        format += QStringLiteral(":faststart");
    // Any other type: the general muxer picks the container by the output
    // file's name.
    return format.isEmpty() ? QStringLiteral(" -of lavf")
                            : QStringLiteral(" -of lavf -lavfopts format=") + format;
}

static bool copiesStreams(const ProfileValues &profile)
{
    return profile.outputType().compare(CopyProfileType, Qt::CaseInsensitive) == 0;
}

QString BuildVideoSize(const WorkingSelection &s, const QString &profilePath)
{
    return frameSize(s, ProfileValues(profilePath), QStringLiteral("224"));
}

std::optional<FrameSize> BuildFrameSize(const WorkingSelection &s, const QString &profilePath)
{
    return ReadFrameSize(frameSize(s, ProfileValues(profilePath), JoinFrameDefault));
}

std::optional<UnusableValue> FindUnusableValue(const WorkingSelection &s,
                                               const QString &profilePath)
{
    const ProfileValues profile(profilePath);
    if (copiesStreams(profile))
        return std::nullopt;
    for (const HandedValue &value : handedValues(s, profile)) {
        if (!value.fits(value.text))
            return UnusableValue{value.section, value.text};
    }
    return std::nullopt;
}

QString CopyJoinOptions()
{
    return QStringLiteral(" -ovc copy -oac copy -of lavf");
}

bool NeedsTimedTemporaries(const WorkingSelection &s, const QString &profilePath)
{
    const ProfileValues profile(profilePath);
    return !copiesStreams(profile) && NeedsTimedContainer(videoCodec(s, profile));
}

QString BuildFrameRate(const WorkingSelection &s, const QString &profilePath)
{
    return frameRate(s, ProfileValues(profilePath));
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
        QStringLiteral("copy"), QStringLiteral("-oac"),
        audio.encoder,          audio.flag,
        audio.options,          QStringLiteral("-channels"),
        channels(s, profile),   QStringLiteral("-srate"),
        s.sampleRate,
    };
    return QStringLiteral(" -ovc ") + pieces.join(QLatin1Char(' ')) +
           ContainerOptions(profile.outputType(), profile.fastStart());
}
