#include "encoderpieces.h"

#include "contract/valueforms.h"
#include "encodervalues.h"
#include "inifile.h"
#include "profiles.h"

#include <QList>

#include <functional>

namespace {

const QString Mp2Caption = QStringLiteral("MP2");
constexpr int Mp2BitrateLimit = 128;
// The frame of the join when the profile's size list has no value at the
// selected position.
const QString FrameSizeDefault = QStringLiteral("640:480");
// The "Video Quality" value that hands the Video Bitrate box's text on.
const QString BitrateChoice = QStringLiteral("bitrate");

// The profile file as it stands when the pieces are read.
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
    QString main(const QString &key, const QString &fallback = QString()) const
    {
        return m_doc.readString(QStringLiteral("Main"), key, fallback);
    }
    bool fastStart() const
    {
        return m_doc.readBool(QStringLiteral("Main"), QStringLiteral("Fast Start"), false);
    }

private:
    IniDocument m_doc;
};

QString limitedAudioBitrate(const WorkingSelection &s)
{
    if (s.audioCodecText != Mp2Caption)
        return s.audioBitrate;
    const std::optional<int> bitrate = ReadWholeNumber(s.audioBitrate);
    if (bitrate && *bitrate > Mp2BitrateLimit)
        return QString::number(Mp2BitrateLimit);
    return s.audioBitrate;
}

// The selected CRF; empty when the picture is given a bitrate instead (the
// profile has no quality choice, or its choice says "bitrate").
QString constantQuality(const WorkingSelection &s, const ProfileValues &profile)
{
    const QString value = profile.value(VideoQualitySection, s.videoQuality, QString());
    return value == BitrateChoice ? QString() : value;
}

void readPicture(const WorkingSelection &s, const ProfileValues &profile, EncoderPieces &p)
{
    p.videoCodec = profile.value(VideoCodecSection, s.videoCodec, QStringLiteral("mpeg4"));
    p.videoBitrate = s.videoBitrate;
    p.constantQuality = constantQuality(s, profile);
    p.speed = profile.value(SpeedSection, s.speed, QString());
    // The automatic shape reads no "Aspect" value.
    if (s.aspect != 0)
        p.aspect = profile.value(AspectSection, s.aspect, QStringLiteral("16:9"));
    p.frameSize = s.listSize ? profile.value(VideoSizeSection, s.videoSize, FrameSizeDefault)
                             : s.width + QLatin1Char(':') + s.height;
    p.frameRate = profile.value(FrameRateSection, s.frameRate, QStringLiteral("30"));
}

void readSound(const WorkingSelection &s, const ProfileValues &profile, EncoderPieces &p)
{
    p.audioCaption = s.audioCodecText;
    p.audioCodec = profile.value(AudioCodecSection, s.audioCodec, QStringLiteral("ac3"));
    p.audioBitrate = limitedAudioBitrate(s);
    p.mp3Mode = profile.value(Mp3EncodeSection, s.mp3Mode, QStringLiteral("vbr"));
    p.mp3Quality = profile.value(VbrQualitySection, s.mp3Quality, QStringLiteral("6"));
    p.mp3Bitrate = profile.value(AbrCbrBitrateSection, s.mp3Bitrate, QStringLiteral("224"));
    p.channels = profile.value(ChannelsSection, s.channels, QStringLiteral("2"));
    p.sampleRate = s.sampleRate;
}

// One piece handed to the encoder, where it came from and whether it has
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

// The first video's size and rate are read and checked at Start, from its
// facts.
bool isFrameSize(const QString &text)
{
    return text == SameAsFirstVideoValue || ReadFrameSize(text).has_value();
}

bool isFrameRate(const QString &text)
{
    return text == SameAsFirstVideoValue || RateText(text).has_value();
}

QList<HandedValue> soundValues(const EncoderPieces &p)
{
    if (p.audioCaption == QLatin1String("PCM"))
        return {};
    if (p.audioCaption != QLatin1String("MP3"))
        return {{AudioCodecSection, p.audioCodec, IsKnownAudioEncoder},
                {AudioBitrateSection, p.audioBitrate, isSoundBitrate}};
    if (!isMp3Mode(p.mp3Mode))
        return {{Mp3EncodeSection, p.mp3Mode, isMp3Mode}};
    if (p.mp3Mode == QLatin1String("vbr"))
        return {{VbrQualitySection, p.mp3Quality, isMp3Quality}};
    return {{AbrCbrBitrateSection, p.mp3Bitrate, isMp3Bitrate}};
}

// A CRF on the encoder's own scale, or a bitrate; a speed from the
// encoder's own list.
QList<HandedValue> rateValues(const EncoderPieces &p)
{
    const QString codec = p.videoCodec;
    QList<HandedValue> values;
    if (p.constantQuality.isEmpty()) {
        values << HandedValue{VideoBitrateSection, p.videoBitrate, isBitrate};
    } else {
        values << HandedValue{VideoQualitySection, p.constantQuality, [codec](const QString &text) {
                                  const auto scale = ConstantQualityScale(codec);
                                  return scale && WholeNumberIn(text, scale->best, scale->worst);
                              }};
    }
    if (!p.speed.isEmpty())
        values << HandedValue{SpeedSection, p.speed, [codec](const QString &text) {
                                  return IsEncoderPreset(codec, text) ||
                                         EncoderSpeed(codec, text).has_value();
                              }};
    return values;
}

// Every piece a re-encoding job hands to the encoder, in the order of the
// dialog's boxes.
QList<HandedValue> handedValues(const EncoderPieces &p)
{
    QList<HandedValue> values{{VideoCodecSection, p.videoCodec, IsKnownVideoEncoder}};
    values << rateValues(p);
    if (p.aspect)
        values << HandedValue{AspectSection, *p.aspect, isDisplayShape};
    values << HandedValue{VideoSizeSection, p.frameSize, isFrameSize};
    values << HandedValue{FrameRateSection, p.frameRate, isFrameRate};
    values << soundValues(p);
    values << HandedValue{ChannelsSection, p.channels, isChannelCount}
           << HandedValue{SampleRateSection, p.sampleRate, isBitrate};
    return values;
}

std::optional<UnusableValue> firstUnusable(const EncoderPieces &p)
{
    if (p.copyStreams)
        return std::nullopt;
    for (const HandedValue &value : handedValues(p)) {
        if (!value.fits(value.text))
            return UnusableValue{value.section, value.text};
    }
    return std::nullopt;
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

EncoderPieces ReadEncoderPieces(const WorkingSelection &s, const QString &profilePath)
{
    const ProfileValues profile(profilePath);
    EncoderPieces p;
    p.outputType = profile.main(QStringLiteral("Type"), QStringLiteral("avi"));
    p.copyStreams = p.outputType.compare(CopyProfileType, Qt::CaseInsensitive) == 0;
    p.fastStart = profile.fastStart();
    readPicture(s, profile, p);
    readSound(s, profile, p);
    p.unusable = firstUnusable(p);
    return p;
}
