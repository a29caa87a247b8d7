#include "encoderlines.h"

#include <QLocale>
#include <QMap>
#include <QRegularExpression>

#include <cmath>

QByteArray PositionLine(double seconds, qint64 frames)
{
    return "Pos: " + QByteArray::number(seconds, 'f', 1) + "s " + QByteArray::number(frames) +
           "f\n";
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
