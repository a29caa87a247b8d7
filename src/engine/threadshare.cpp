#include "threadshare.h"

#include <QtGlobal>

#include <algorithm>

namespace {

struct Span {
    double start = 0;
    double end = 0;
};

// When each conversion runs, with one lane per conversion at once.
QList<Span> guessedSpans(const QList<double> &seconds, int lanes)
{
    QList<double> laneFree(qMax(1, qMin(lanes, int(seconds.size()))), 0.0);
    QList<Span> spans;
    for (const double length : seconds) {
        const auto lane = std::min_element(laneFree.begin(), laneFree.end());
        const Span span{*lane, *lane + qMax(1.0, length)};
        *lane = span.end;
        spans << span;
    }
    return spans;
}

int runningBeside(const QList<Span> &spans, qsizetype row)
{
    const Span &own = spans.at(row);
    const double enough = (own.end - own.start) / 4;
    int running = 0;
    for (const Span &other : spans) {
        if (qMin(own.end, other.end) - qMax(own.start, other.start) > enough)
            ++running;
    }
    return running;
}

} // namespace

QList<int> ConversionThreads(const QList<double> &seconds, int conversionsAtOnce, int cores)
{
    const QList<Span> spans = guessedSpans(seconds, conversionsAtOnce);
    const int usable = qMax(1, cores);
    QList<int> threads;
    for (qsizetype row = 0; row < spans.size(); ++row)
        threads << qMax(1, usable / qBound(1, runningBeside(spans, row), usable));
    return threads;
}
