#include "tasklist/orderedprobes.h"

#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentMap>

#include <mutex>

namespace {

// The media library sets up its shared tables on its first use; that first
// probe runs alone so that no two threads ever do it at once.
ProbeResult probeOnWorker(const QString &path)
{
    static std::once_flag first;
    bool probedAlready = false;
    ProbeResult result;
    std::call_once(first, [&] {
        result = ProbeMediaFile(path);
        probedAlready = true;
    });
    return probedAlready ? result : ProbeMediaFile(path);
}

} // namespace

struct OrderedProbes::Batch {
    QStringList paths;
    QFuture<ProbeResult> future;
    QFutureWatcher<ProbeResult> *watcher = nullptr;
    int next = 0; // the first file not handed back
};

OrderedProbes::OrderedProbes(QObject *parent)
    : QObject(parent)
{
}

OrderedProbes::~OrderedProbes()
{
    cancel();
}

void OrderedProbes::enqueue(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    auto batch = std::make_unique<Batch>();
    batch->paths = paths;
    batch->watcher = new QFutureWatcher<ProbeResult>(this);
    // Results may come in any order; handOver looks for the next one due.
    connect(batch->watcher, &QFutureWatcherBase::resultsReadyAt, this, &OrderedProbes::handOver);
    connect(batch->watcher, &QFutureWatcherBase::finished, this, &OrderedProbes::handOver);
    // The workers get a list of their own: a cancelled batch goes away while
    // they may still read it.
    batch->future = QtConcurrent::mapped(QStringList(paths), probeOnWorker);
    batch->watcher->setFuture(batch->future);
    m_batches.push_back(std::move(batch));
}

void OrderedProbes::cancel()
{
    if (m_batches.empty())
        return;
    for (const auto &batch : m_batches)
        dropBatch(*batch);
    m_batches.clear();
    emit idle();
}

void OrderedProbes::waitForAll()
{
    // Called from a handler while results are handed back, it would wait for
    // itself.
    if (m_handingOver)
        return;
    while (!m_batches.empty()) {
        m_batches.front()->future.waitForFinished();
        handOver();
    }
}

void OrderedProbes::handOver()
{
    // A handler may open a nested event loop (a question box) that delivers
    // more results; those wait for the outer loop, which keeps the order.
    if (m_handingOver)
        return;
    m_handingOver = true;
    while (handOverOne()) {
    }
    m_handingOver = false;
}

// Hands back the next file, or ends the head batch; false when the next
// file is not probed yet or nothing is queued. A handler may cancel or
// enqueue, so nothing of the head batch is used after a signal.
bool OrderedProbes::handOverOne()
{
    if (m_batches.empty())
        return false;
    Batch &head = *m_batches.front();
    if (head.next < head.paths.size()) {
        if (!head.future.isResultReadyAt(head.next))
            return false;
        const int index = head.next++;
        emit probed(head.paths.at(index), head.future.resultAt(index));
        return true;
    }
    dropBatch(head);
    m_batches.pop_front();
    emit batchDone();
    if (m_batches.empty())
        emit idle();
    return true;
}

void OrderedProbes::dropBatch(Batch &batch)
{
    batch.future.cancel();
    batch.watcher->disconnect(this);
    // The watcher may be the sender of the signal being handled.
    batch.watcher->deleteLater();
}
