// The encoder's output, read chunk by chunk as a run reads it, moves the
// bars only within 0..100 and never moves a forward-only position back.

#include "engine/progressparser.h"
#include "fuzzcheck.h"

#include <algorithm>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray output(reinterpret_cast<const char *>(data), qsizetype(size));
    ProgressParams params;
    params.currentSpan = 12.5;
    params.totalSpan = 40;
    params.doneSeconds = 10;
    params.totalOffset = 50;
    params.forwardOnly = true;

    QString positionText;
    double position = 0;
    ProgressBars bars;
    for (qsizetype from = 0; from < output.size(); from += MaxChunkBytes) {
        const QByteArrayView chunk = QByteArrayView(output).sliced(from).first(
            qMin<qsizetype>(MaxChunkBytes, output.size() - from));
        positionText = PositionTextFromChunk(chunk, positionText);
        const double next = NextPosition(position, ParsePosition(positionText), true);
        FUZZ_CHECK(next >= position);
        position = next;
        bars = ComputeBars(position, params, bars);
        FUZZ_CHECK(bars.current >= 0 && bars.current <= 100);
        FUZZ_CHECK(bars.total >= 0 && bars.total <= 100);
    }
    return 0;
}
