#include "optionbuilder.h"

#include "contract/valueforms.h"
#include "encodervalues.h"
#include "inifile.h"
#include "outputchoices.h"
#include "profiles.h"

namespace {

// "crf=22" or "vbitrate=1200"; then the encoder's speed key when a speed
// is chosen, "preset=fast" or VP9's "speed=4".
QString rateAndSpeed(const EncoderPieces &p)
{
    QString text = p.constantQuality.isEmpty() ? QStringLiteral("vbitrate=") + p.videoBitrate
                                               : QStringLiteral("crf=") + p.constantQuality;
    const QString key = SpeedOptionKey(p.videoCodec);
    if (!p.speed.isEmpty())
        text += QLatin1Char(':') + (key.isEmpty() ? QStringLiteral("preset") : key) +
                QLatin1Char('=') + p.speed;
    return text;
}

bool isMp3(const EncoderPieces &p)
{
    return p.audioCaption == QLatin1String("MP3");
}

bool isPcm(const EncoderPieces &p)
{
    return p.audioCaption == QLatin1String("PCM");
}

QString mp3Options(const EncoderPieces &p)
{
    if (p.mp3Mode == QLatin1String("vbr"))
        return QStringLiteral("vbr=2:q=") + p.mp3Quality;
    return p.mp3Mode + QStringLiteral(":br=") + p.mp3Bitrate;
}

// "-oac", the sound encoder, its option flag and its options (the last two
// empty for PCM), then the channels.
QStringList soundPieces(const EncoderPieces &p)
{
    QStringList pieces{QStringLiteral("-oac")};
    if (isMp3(p))
        pieces << QStringLiteral("mp3lame") << QStringLiteral("-lameopts") << mp3Options(p);
    else if (isPcm(p))
        pieces << QStringLiteral("pcm") << QString() << QString();
    else
        pieces << QStringLiteral("lavc") << QStringLiteral("-lavcopts")
               << QStringLiteral("acodec=") + p.audioCodec + QStringLiteral(":abitrate=") +
                      p.audioBitrate;
    return pieces << QStringLiteral("-channels") << p.channels;
}

QStringList joinPieces(const EncoderPieces &p)
{
    if (p.copyStreams)
        return CopyJoinArguments();
    return QStringList{QStringLiteral("-ovc"), QStringLiteral("copy")} + soundPieces(p) +
           QStringList{QStringLiteral("-srate"), p.sampleRate} +
           ContainerArguments(p.outputType, p.fastStart);
}

// The pieces as one text, each after a blank.
QString optionText(const QStringList &pieces)
{
    return QLatin1Char(' ') + pieces.join(QLatin1Char(' '));
}

} // namespace

bool AudioBitrateAcceptable(const WorkingSelection &s)
{
    return s.audioCodecText != QLatin1String("MP2") || ReadWholeNumber(s.audioBitrate).has_value();
}

QStringList ContainerArguments(const QString &outputType, bool fastStart)
{
    const QString type = outputType.toLower();
    if (type == QLatin1String("avi"))
        return {};
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
    QStringList arguments{QStringLiteral("-of"), QStringLiteral("lavf")};
    if (!format.isEmpty())
        arguments << QStringLiteral("-lavfopts") << QStringLiteral("format=") + format;
    return arguments;
}

QString ContainerOptions(const QString &outputType, bool fastStart)
{
    const QStringList arguments = ContainerArguments(outputType, fastStart);
    return arguments.isEmpty() ? QString() : optionText(arguments);
}

QString PictureCodecOptions(const EncoderPieces &p)
{
    const QString aspect =
        p.aspect ? QStringLiteral("aspect=") + *p.aspect : QStringLiteral("autoaspect");
    return QStringLiteral("vcodec=") + p.videoCodec + QLatin1Char(':') + rateAndSpeed(p) +
           QStringLiteral(":mbd=2:") + aspect;
}

QString EncoderOptions(const EncoderPieces &p)
{
    return optionText(QStringList{QStringLiteral("-ovc"), QStringLiteral("lavc"),
                                  QStringLiteral("-lavcopts"), PictureCodecOptions(p)} +
                      soundPieces(p) +
                      QStringList{QStringLiteral("-vf"), QStringLiteral("scale=") + p.frameSize,
                                  QStringLiteral("-srate"), p.sampleRate});
}

QStringList JoinOptionArguments(const EncoderPieces &p)
{
    QStringList arguments = joinPieces(p);
    arguments.removeAll(QString());
    return arguments;
}

QStringList CopyJoinArguments()
{
    return {QStringLiteral("-ovc"), QStringLiteral("copy"), QStringLiteral("-oac"),
            QStringLiteral("copy"), QStringLiteral("-of"),  QStringLiteral("lavf")};
}

QString CopyJoinOptions()
{
    return optionText(CopyJoinArguments());
}

bool NeedsTimedTemporaries(const EncoderPieces &p)
{
    return !p.copyStreams && NeedsTimedContainer(p.videoCodec);
}

QString BuildEncoderOptions(const WorkingSelection &s, const QString &profilePath)
{
    return EncoderOptions(ReadEncoderPieces(s, profilePath));
}

QString BuildVideoSize(const WorkingSelection &s, const QString &profilePath)
{
    // The conversion size of the list has a default of its own, a width
    // alone; the join's is a whole frame (see BuildFrameSize).
    if (!s.listSize)
        return s.width + QLatin1Char(':') + s.height;
    return IniDocument::load(profilePath)
        .readString(VideoSizeSection, ProfileValueKey(s.videoSize), QStringLiteral("224"));
}

std::optional<FrameSize> BuildFrameSize(const WorkingSelection &s, const QString &profilePath)
{
    return ReadFrameSize(ReadEncoderPieces(s, profilePath).frameSize);
}

std::optional<UnusableValue> FindUnusableValue(const WorkingSelection &s,
                                               const QString &profilePath)
{
    if (std::optional<UnusableValue> unusable = ReadEncoderPieces(s, profilePath).unusable)
        return unusable;
    return FindUnusableChoice(s, profilePath);
}

QString BuildPictureCodecOptions(const WorkingSelection &s, const QString &profilePath)
{
    return PictureCodecOptions(ReadEncoderPieces(s, profilePath));
}

QString BuildJoinOptions(const WorkingSelection &s, const QString &profilePath)
{
    return optionText(joinPieces(ReadEncoderPieces(s, profilePath)));
}
