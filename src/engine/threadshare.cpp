#include "threadshare.h"

#include <QtGlobal>

#include <algorithm>

namespace {

struct Span {
    double start = 0;
    double end = 0;
    qsizetype lane = 0;
};

// When each conversion runs, with one lane per conversion at once. Each
// starts on the lane that is free first, so the starts never go back in
// row order.
QList<Span> guessedSpans(const QList<double> &seconds, qsizetype lanes)
{
    QList<double> laneFree(lanes, 0.0);
    QList<Span> spans;
    spans.reserve(seconds.size());
    for (const double length : seconds) {
        const auto lane = std::min_element(laneFree.begin(), laneFree.end());
        const Span span{*lane, *lane + qMax(1.0, length), lane - laneFree.begin()};
        *lane = span.end;
        spans << span;
    }
    return spans;
}

bool runsBeside(const Span &own, const Span &other)
{
    const double enough = (own.end - own.start) / 4;
    return qMin(own.end, other.end) - qMax(own.start, other.start) > enough;
}

// The conversions running beside a row's for more than a quarter of its
// length, its own included. Of those started before it, only the latest of
// each lane can still run; of those after it, only those that start before
// it ends. So every row looks at the few that overlap it, not at all rows.
int runningBeside(const QList<Span> &spans, qsizetype row, const QList<qsizetype> &latestOfLane)
{
    const Span &own = spans.at(row);
    int running = 0;
    for (const qsizetype earlier : latestOfLane) {
        if (earlier >= 0 && runsBeside(own, spans.at(earlier)))
            ++running;
    }
    for (qsizetype later = row; later < spans.size() && spans.at(later).start < own.end; ++later) {
        if (runsBeside(own, spans.at(later)))
            ++running;
    }
    return running;
}

} // namespace

QList<int> ConversionThreads(const QList<double> &seconds, int conversionsAtOnce, int cores)
{
    const qsizetype lanes = qMax(1, qMin(conversionsAtOnce, int(seconds.size())));
    const QList<Span> spans = guessedSpans(seconds, lanes);
    const int usable = qMax(1, cores);
    QList<qsizetype> latestOfLane(lanes, -1);
    QList<int> threads;
    threads.reserve(spans.size());
    for (qsizetype row = 0; row < spans.size(); ++row) {
        threads << qMax(1, usable / qBound(1, runningBeside(spans, row, latestOfLane), usable));
        latestOfLane[spans.at(row).lane] = row;
    }
    return threads;
}
