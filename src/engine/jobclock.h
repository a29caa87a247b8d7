#pragma once

// The remaining time of a job, estimated on each tick of its timer from the
// elapsed seconds and the total bar (0..100), on the assumption that the
// bar grows evenly with time. While the bar is at 0 nothing can be told,
// and the previous estimate stands.
int EstimateRemainingSeconds(int elapsedSeconds, int totalPercent, int previousEstimate);
