#include "tasklist/orderedprobes.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QThreadPool>
#include <QWaitCondition>

#include <atomic>
#include <cerrno>
#include <mutex>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

// A pool of its own: Qt draws widgets with helper tasks on the global pool
// and waits for them, so a long queue of probes there would stall the window
// until the last file is probed.
Q_GLOBAL_STATIC(QThreadPool, probePool)

QThreadPool *ProbeThreadPool()
{
    return probePool();
}

static std::atomic<bool> probesGiveWay{true};

void SetProbesGiveWayToWindow(bool giveWay)
{
    probesGiveWay = giveWay;
}

namespace {

constexpr int handOverPauseMs = 20;
// Rows handed over in one go; the rest wait for the next turn, so that a
// thread that fell behind (on a busy machine) does not catch up in one
// long stall of the window.
constexpr int handOverBurstMs = 10;
constexpr int probeNiceness = 5;

// The window's thread draws what the probes deliver, with helper threads of
// its own; probing gives way to both on a busy machine.
void yieldToTheWindow()
{
    thread_local const bool lowered = [] {
        errno = 0;
        const int current = getpriority(PRIO_PROCESS, pid_t(syscall(SYS_gettid)));
        return errno == 0 &&
               setpriority(PRIO_PROCESS, pid_t(syscall(SYS_gettid)), current + probeNiceness) == 0;
    }();
    Q_UNUSED(lowered);
}

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

// One batch's results, filled in by the workers in any order. The workers
// keep it alive, so a cancelled batch may go from the queue at any time.
struct OrderedProbes::Batch {
    explicit Batch(const QStringList &files)
        : paths(files)
        , results(size_t(files.size()))
        , ready(size_t(files.size()), false)
    {
    }

    bool isReady(int index)
    {
        const QMutexLocker lock(&mutex);
        return ready[size_t(index)];
    }
    void waitUntilAllReady()
    {
        QMutexLocker lock(&mutex);
        while (readyCount < paths.size() && !cancelled)
            changed.wait(&mutex);
    }

    const QStringList paths;
    QMutex mutex;
    QWaitCondition changed;
    std::vector<ProbeResult> results;
    std::vector<bool> ready;
    int readyCount = 0;
    std::atomic<bool> cancelled{false};
    std::atomic<int> nextToProbe{0}; // the workers'
    int next = 0;                    // the first file not handed back; the owner's thread only
};

// How the workers reach the owner: a queued call, at most one waiting at a
// time. The owner unhooks itself before it goes away.
struct OrderedProbes::Link {
    void notify()
    {
        if (pending.exchange(true))
            return;
        const QMutexLocker lock(&mutex);
        if (owner) {
            OrderedProbes *target = owner;
            QMetaObject::invokeMethod(
                target, [target] { target->m_handOverSoon.start(); }, Qt::QueuedConnection);
        }
    }

    QMutex mutex;
    OrderedProbes *owner = nullptr;
    std::atomic<bool> pending{false};
};

OrderedProbes::OrderedProbes(QObject *parent)
    : QObject(parent)
    , m_link(std::make_shared<Link>())
{
    m_link->owner = this;
    // Rows come in a few at a time rather than one event each: every batch
    // of rows costs the window a repaint.
    m_handOverSoon.setSingleShot(true);
    m_handOverSoon.setInterval(handOverPauseMs);
    connect(&m_handOverSoon, &QTimer::timeout, this, &OrderedProbes::handOver);
}

OrderedProbes::~OrderedProbes()
{
    {
        const QMutexLocker lock(&m_link->mutex);
        m_link->owner = nullptr;
    }
    for (const auto &batch : m_batches)
        batch->cancelled = true;
}

void OrderedProbes::enqueue(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    const auto batch = std::make_shared<Batch>(paths);
    m_batches.push_back(batch);
    const std::shared_ptr<Link> link = m_link;
    // One task per thread, each taking the batch's next file until none is
    // left: a task per file cost the caller's thread 10 ms per 5,000 files.
    const int tasks = qBound(1, probePool()->maxThreadCount(), int(paths.size()));
    for (int task = 0; task < tasks; ++task) {
        probePool()->start([batch, link] {
            if (probesGiveWay)
                yieldToTheWindow();
            for (int index = batch->nextToProbe++; index < batch->paths.size() && !batch->cancelled;
                 index = batch->nextToProbe++) {
                const ProbeResult probe = probeOnWorker(batch->paths.at(index));
                {
                    const QMutexLocker lock(&batch->mutex);
                    batch->results[size_t(index)] = probe;
                    batch->ready[size_t(index)] = true;
                    ++batch->readyCount;
                    batch->changed.wakeAll();
                }
                link->notify();
            }
        });
    }
}

void OrderedProbes::cancel()
{
    if (m_batches.empty())
        return;
    for (const auto &batch : m_batches) {
        batch->cancelled = true;
        const QMutexLocker lock(&batch->mutex);
        batch->changed.wakeAll();
    }
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
        m_batches.front()->waitUntilAllReady();
        handOver();
    }
}

void OrderedProbes::handOver()
{
    // A handler may open a nested event loop (a question box) that delivers
    // more results; those wait for the outer loop, which keeps the order.
    if (m_handingOver) {
        m_calledMeanwhile = true;
        return;
    }
    m_handingOver = true;
    QElapsedTimer burst;
    burst.start();
    bool more = false;
    do {
        m_calledMeanwhile = false;
        // Results that come from now on call again.
        m_link->pending = false;
        while ((more = handOverOne()) && !burst.hasExpired(handOverBurstMs)) {
        }
    } while (m_calledMeanwhile && !more);
    m_handingOver = false;
    if (more)
        m_handOverSoon.start();
}

// Hands back the next file, or ends the head batch; false when the next
// file is not probed yet or nothing is queued. A handler may cancel or
// enqueue, so the head batch is held only for the length of one step.
bool OrderedProbes::handOverOne()
{
    if (m_batches.empty())
        return false;
    const std::shared_ptr<Batch> head = m_batches.front();
    if (head->next < head->paths.size()) {
        if (!head->isReady(head->next))
            return false;
        const int index = head->next++;
        emit probed(head->paths.at(index), head->results[size_t(index)]);
        return true;
    }
    m_batches.pop_front();
    emit batchDone();
    if (m_batches.empty())
        emit idle();
    return true;
}
