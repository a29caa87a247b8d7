#include "encoderlines.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

QByteArray PositionLine(double seconds, qint64 frames)
{
    return "Pos: " + QByteArray::number(seconds, 'f', 1) + "s " + QByteArray::number(frames) +
           "f\n";
}

QByteArray ReadingLine(const InputReading &reading)
{
    return "Read: " + QByteArray::number(reading.read, 'f', 3) + "s of " +
           QByteArray::number(reading.stated, 'f', 3) + "s\n";
}

std::optional<InputReading> ReadingFromLines(const QStringList &lines)
{
    static const QRegularExpression line(
        QStringLiteral("^Read: (\\d+(?:\\.\\d+)?)s of (\\d+(?:\\.\\d+)?)s$"));
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        const QRegularExpressionMatch match = line.match(it->trimmed());
        if (!match.hasMatch())
            continue;
        const QLocale c = QLocale::c();
        const InputReading reading{c.toDouble(match.captured(1)), c.toDouble(match.captured(2))};
        if (std::isfinite(reading.read) && std::isfinite(reading.stated))
            return reading;
    }
    return std::nullopt;
}
