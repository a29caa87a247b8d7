#include "encoderlines.h"

#include <QLocale>
#include <QMap>
#include <QRegularExpression>

#include <cmath>

namespace {

constexpr QByteArrayView PosMarker("Pos:");

} // namespace

QString EncoderFileName()
{
    // Named by the build, which gives the encoder program this name.
    return QStringLiteral(BRELVANE_ENCODER_FILE_NAME);
}

QString EncoderPathIn(const QString &programDir)
{
    return programDir + EncoderFileName();
}

bool IsValueOption(const QString &argument)
{
    static const QStringList options{
        QStringLiteral("-o"), QStringLiteral("-ovc"), QStringLiteral("-oac"),
        QStringLiteral("-lavcopts"), QStringLiteral("-lameopts"), QStringLiteral("-srate"),
        QStringLiteral("-channels"), QStringLiteral("-ofps"), QStringLiteral("-vf"),
        QStringLiteral("-of"), QStringLiteral("-lavfopts"), QStringLiteral("-lavdopts"),
        QStringLiteral("-af"), QStringLiteral("-chapters"),
        // Accepted and without effect: the encoder picks its own demuxer and
        // keeps the sound in step by its timestamps.
        QStringLiteral("-mc"), QStringLiteral("-demuxer")};
    return options.contains(argument);
}

bool IsIgnoredFlag(const QString &argument)
{
    return argument == QLatin1String("-noskip") || argument == QLatin1String("-quiet");
}

QByteArray PositionLine(double seconds, qint64 frames)
{
    return "Pos: " + QByteArray::number(seconds, 'f', 1) + "s " + QByteArray::number(frames) +
           "f\n";
}

std::optional<QString> LastPositionText(QByteArrayView output)
{
    // Searched from the end, so a long output costs only its last line or
    // two and nothing is copied but the number.
    QByteArrayView rest = output;
    bool seen = false;
    for (;;) {
        const qsizetype marker = rest.lastIndexOf(PosMarker);
        if (marker < 0)
            return seen ? std::optional<QString>(QString()) : std::nullopt;
        seen = true;
        const qsizetype start = marker + PosMarker.size();
        const qsizetype end = rest.indexOf('s', start);
        if (end >= 0)
            return QString::fromLocal8Bit(rest.sliced(start, end - start));
        rest = rest.first(marker);
    }
}

std::optional<double> ParsePosition(const QString &positionText)
{
    static const QLocale c = [] {
        QLocale locale = QLocale::c();
        locale.setNumberOptions(QLocale::RejectGroupSeparator);
        return locale;
    }();
    bool ok = false;
    const double value = c.toDouble(positionText.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QByteArray ReadingLine(const InputReading &reading)
{
    return "Read: #" + QByteArray::number(reading.input) + ' ' +
           QByteArray::number(reading.read, 'f', 3) + "s of " +
           QByteArray::number(reading.stated, 'f', 3) + "s\n";
}

QList<InputReading> ReadingsFromLines(const QStringList &lines)
{
    static const QRegularExpression line(
        QStringLiteral("^Read: #(\\d+) (\\d+(?:\\.\\d+)?)s of (\\d+(?:\\.\\d+)?)s$"));
    QMap<int, InputReading> latest;
    const QLocale c = QLocale::c();
    for (const QString &text : lines) {
        const QRegularExpressionMatch match = line.match(text.trimmed());
        bool ok = false;
        const int input = match.hasMatch() ? match.captured(1).toInt(&ok) : -1;
        const InputReading reading{c.toDouble(match.captured(2)), c.toDouble(match.captured(3)),
                                   input};
        if (ok && std::isfinite(reading.read) && std::isfinite(reading.stated))
            latest.insert(input, reading);
    }
    return latest.values();
}
