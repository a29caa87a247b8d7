#include "tasklist/timetext.h"

#include "contract/valueforms.h"

#include <cmath>
#include <cstdint>

namespace {

// Far beyond any play time, but safely inside the 64-bit whole seconds.
constexpr double LargestSeconds = 1e15;

QString twoDigits(std::int64_t value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

bool isSecondsNumber(const QString &text)
{
    const int point = text.indexOf(QLatin1Char('.'));
    if (point < 0)
        return IsAsciiDigits(text);
    const QString fraction = text.mid(point + 1);
    return IsAsciiDigits(text.left(point)) && (fraction.isEmpty() || IsAsciiDigits(fraction));
}

} // namespace

QString SecondsToTimeText(double seconds)
{
    if (!(seconds >= 0) || !std::isfinite(seconds))
        seconds = 0;
    seconds = std::fmin(seconds, LargestSeconds);

    std::int64_t t = static_cast<std::int64_t>(seconds);
    // Under the default rounding mode a half goes to the even number.
    auto f = static_cast<std::int64_t>(std::nearbyint((seconds - static_cast<double>(t)) * 10));
    if (f == 10) {
        ++t;
        f = 0;
    }
    const std::int64_t h = t / 3600;
    const std::int64_t m = (t - 3600 * h) / 60;
    const std::int64_t s = t - 3600 * h - 60 * m;

    QString text = twoDigits(h) + QLatin1Char(':') + twoDigits(m) + QLatin1Char(':') + twoDigits(s);
    if (f != 0)
        text += QLatin1Char('.') + QString::number(f);
    return text;
}

double TimeTextToSeconds(const QString &text)
{
    const int firstColon = text.indexOf(QLatin1Char(':'));
    if (firstColon < 0)
        return -1;
    const QString hours = text.left(firstColon);
    const QString rest = text.mid(firstColon + 1);
    const int secondColon = rest.indexOf(QLatin1Char(':'));
    if (secondColon < 0)
        return -1;
    const QString minutes = rest.left(secondColon);
    const QString seconds = rest.mid(secondColon + 1);

    if (!IsAsciiDigits(hours) || !IsAsciiDigits(minutes) || !isSecondsNumber(seconds))
        return -1;
    return 3600 * hours.toDouble() + 60 * minutes.toDouble() + seconds.toDouble();
}
