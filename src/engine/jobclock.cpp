#include "jobclock.h"

#include "engine/progressparser.h"

int EstimateRemainingSeconds(int elapsedSeconds, int totalPercent, int previousEstimate)
{
    if (totalPercent == 0)
        return previousEstimate;
    const long double elapsed = elapsedSeconds;
    const long double fraction = static_cast<long double>(totalPercent) / 100;
    return static_cast<int>(RoundHalfEven(elapsed / fraction - elapsed));
}
