#include "contract/valueforms.h"

#include <QStringList>

bool IsAsciiDigits(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

namespace {

// Up to nine digits before the point and six after it: far beyond any rate
// or shape, and within what a double holds exactly enough.
bool isDecimal(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() > 2 || !IsAsciiDigits(parts.at(0)) || parts.at(0).size() > 9)
        return false;
    return parts.size() == 1 || (IsAsciiDigits(parts.at(1)) && parts.at(1).size() <= 6);
}

bool isAboveZero(const QString &decimal)
{
    for (const QChar c : decimal) {
        if (c != QLatin1Char('0') && c != QLatin1Char('.'))
            return true;
    }
    return false;
}

} // namespace

std::optional<int> WholeNumberIn(const QString &text, int least, int most)
{
    if (!IsAsciiDigits(text) || text.size() > 9)
        return std::nullopt;
    const int value = text.toInt();
    return value >= least && value <= most ? std::optional<int>(value) : std::nullopt;
}

std::optional<QString> DecimalNumber(const QString &text)
{
    if (!isDecimal(text) || !isAboveZero(text))
        return std::nullopt;
    return text;
}

std::optional<QString> RateText(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('/'));
    if (parts.size() == 1)
        return DecimalNumber(text);
    const std::optional<int> numerator = WholeNumberIn(parts.at(0), 1, 999999999);
    const std::optional<int> denominator = WholeNumberIn(parts.value(1), 1, 999999999);
    if (parts.size() != 2 || !numerator || !denominator)
        return std::nullopt;
    return QString::number(*numerator) + QLatin1Char('/') + QString::number(*denominator);
}

std::optional<QString> AspectText(const QString &text)
{
    qsizetype split = text.indexOf(QLatin1Char(':'));
    if (split < 0)
        split = text.indexOf(QLatin1Char('/'));
    if (split < 0)
        return DecimalNumber(text);
    const std::optional<QString> width = DecimalNumber(text.left(split));
    const std::optional<QString> height = DecimalNumber(text.mid(split + 1));
    if (!width || !height)
        return std::nullopt;
    return *width + QLatin1Char(':') + *height;
}

bool IsKnownVideoEncoder(const QString &name)
{
    static const QStringList names{
        QStringLiteral("mpeg4"),   QStringLiteral("msmpeg4"),    QStringLiteral("msmpeg4v2"),
        QStringLiteral("wmv1"),    QStringLiteral("wmv2"),       QStringLiteral("flv"),
        QStringLiteral("mjpeg"),   QStringLiteral("mpeg1video"), QStringLiteral("mpeg2video"),
        QStringLiteral("h263p"),   QStringLiteral("huffyuv"),    QStringLiteral("ffv1"),
        QStringLiteral("libx264"), QStringLiteral("libx265"),    QStringLiteral("libvpx-vp9")};
    return names.contains(name);
}

bool IsKnownAudioEncoder(const QString &name)
{
    static const QStringList names{
        QStringLiteral("mp2"),       QStringLiteral("ac3"),        QStringLiteral("aac"),
        QStringLiteral("mp3"),       QStringLiteral("libmp3lame"), QStringLiteral("wmav1"),
        QStringLiteral("wmav2"),     QStringLiteral("pcm_s16le"),  QStringLiteral("flac"),
        QStringLiteral("libvorbis"), QStringLiteral("libopus")};
    return names.contains(name);
}

bool IsKnownMuxer(const QString &name)
{
    static const QStringList names{
        QStringLiteral("avi"),  QStringLiteral("mpeg"),   QStringLiteral("vob"),
        QStringLiteral("dvd"),  QStringLiteral("mp4"),    QStringLiteral("mov"),
        QStringLiteral("flv"),  QStringLiteral("asf"),    QStringLiteral("matroska"),
        QStringLiteral("webm"), QStringLiteral("mpegts"), QStringLiteral("ogg")};
    return names.contains(name);
}

std::optional<QualityScale> ConstantQualityScale(const QString &encoder)
{
    if (encoder == QLatin1String("libx264") || encoder == QLatin1String("libx265"))
        return QualityScale{0, 51};
    if (encoder == QLatin1String("libvpx-vp9"))
        return QualityScale{0, 63};
    return std::nullopt;
}

namespace {

bool isX26x(const QString &encoder)
{
    return encoder == QLatin1String("libx264") || encoder == QLatin1String("libx265");
}

} // namespace

QString SpeedOptionKey(const QString &encoder)
{
    if (isX26x(encoder))
        return QStringLiteral("preset");
    if (encoder == QLatin1String("libvpx-vp9"))
        return QStringLiteral("speed");
    return QString();
}

bool IsEncoderPreset(const QString &encoder, const QString &preset)
{
    static const QStringList presets{
        QStringLiteral("ultrafast"), QStringLiteral("superfast"), QStringLiteral("veryfast"),
        QStringLiteral("faster"),    QStringLiteral("fast"),      QStringLiteral("medium"),
        QStringLiteral("slow"),      QStringLiteral("slower"),    QStringLiteral("veryslow")};
    return isX26x(encoder) && presets.contains(preset);
}

// VP9's speed with the "good" deadline: 0 is the slowest and best, 5 the
// fastest that still spends effort on quality.
std::optional<int> EncoderSpeed(const QString &encoder, const QString &text)
{
    if (encoder != QLatin1String("libvpx-vp9"))
        return std::nullopt;
    return WholeNumberIn(text, 0, 5);
}

bool NeedsTimedContainer(const QString &encoder)
{
    return isX26x(encoder) || encoder == QLatin1String("libvpx-vp9");
}

bool IsPlainPath(const QString &path)
{
    for (const QChar c : path) {
        if (c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}
