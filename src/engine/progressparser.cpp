#include "progressparser.h"

#include <cmath>

namespace {

// A computed bar value as the bar shows it: rounded, then held within 0..100.
std::optional<int> BarValue(long double computed, int offset)
{
    const long double rounded = RoundHalfEven(computed);
    if (!std::isfinite(rounded))
        return std::nullopt;
    const long double value = rounded + offset;
    if (value < 0)
        return 0;
    if (value > 100)
        return 100;
    return static_cast<int>(value);
}

} // namespace

QByteArrayView ChunkBytes(QByteArrayView bytes)
{
    const qsizetype zero = bytes.indexOf('\0');
    return zero < 0 ? bytes : bytes.first(zero);
}

QString ChunkText(QByteArrayView bytes)
{
    return QString::fromLocal8Bit(ChunkBytes(bytes));
}

QString PositionTextFromChunk(QByteArrayView chunk, const QString &previousText)
{
    return LastPositionText(ChunkBytes(chunk)).value_or(previousText);
}

double NextPosition(double position, std::optional<double> parsed, bool forwardOnly)
{
    if (!parsed)
        return position;
    if (forwardOnly && *parsed <= position)
        return position;
    return *parsed;
}

long double RoundHalfEven(long double value)
{
    // nearbyint follows the rounding mode, which is round-to-nearest-even
    // unless someone changed it; the program never does.
    return std::nearbyintl(value);
}

ProgressBars ComputeBars(double position, const ProgressParams &params,
                         const ProgressBars &previous)
{
    ProgressBars bars = previous;
    const long double pos = position;
    if (params.currentSpan != 0) {
        const long double current = pos / params.currentSpan * 100;
        bars.current = BarValue(current, 0).value_or(previous.current);
    }
    if (params.totalSpan != 0) {
        const long double total = (params.doneSeconds + pos) / params.totalSpan * 100 / 2;
        bars.total = BarValue(total, params.totalOffset).value_or(previous.total);
    }
    return bars;
}
