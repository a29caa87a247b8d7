// Time text: any text either is no time text (-1) or reads as seconds that
// write back as a time text reading as the same time to the tenth; any
// number writes as a time text that reads back to its own text.

#include "fuzzcheck.h"
#include "tasklist/timetext.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// Far beyond any play time; past it a double no longer holds tenths.
constexpr double LargestChecked = 1e12;

void checkText(const QString &text)
{
    const double seconds = TimeTextToSeconds(text);
    FUZZ_CHECK(seconds == -1 || seconds >= 0);
    if (seconds < 0 || seconds > LargestChecked)
        return;
    const double again = TimeTextToSeconds(SecondsToTimeText(seconds));
    FUZZ_CHECK(std::fabs(again - seconds) <= 0.05 + 1e-6);
}

void checkNumber(double seconds)
{
    const QString text = SecondsToTimeText(seconds);
    const double read = TimeTextToSeconds(text);
    FUZZ_CHECK(read >= 0);
    if (read <= LargestChecked)
        FUZZ_CHECK(SecondsToTimeText(read) == text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    checkText(QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (size >= sizeof(double)) {
        double seconds = 0;
        std::memcpy(&seconds, data, sizeof seconds);
        checkNumber(seconds);
    }
    return 0;
}
