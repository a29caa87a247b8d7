#pragma once

#include "tasklist/mediaprobe.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <memory>

class QThreadPool;

// The threads that probe files, one per core.
QThreadPool *ProbeThreadPool();

// Probing runs below the normal priority, giving way to a window's thread;
// a program without a window turns that off (before its first probe), so
// that on a busy machine its probes get a full share of the processor.
void SetProbesGiveWayToWindow(bool giveWay);

// Probes files on worker threads, as many at once as there are cores, and
// hands every result back on the owner's thread in the order the files were
// queued: a file is handed back as soon as it and every file before it are
// probed. The owner's thread never waits for the media library.
class OrderedProbes : public QObject {
    Q_OBJECT
public:
    explicit OrderedProbes(QObject *parent = nullptr);
    ~OrderedProbes() override;

    // Queues the files, as one batch, behind those queued before; their
    // probing starts at once. An empty list queues nothing.
    void enqueue(const QStringList &paths);
    // True while a queued file has not been handed back.
    bool isBusy() const { return !m_batches.empty(); }
    // Forgets every file not handed back yet (and tells idle). Probes
    // already running end on their own and nobody sees their results.
    void cancel();
    // Blocks the calling thread until every queued file is probed, handing
    // each back on the way; for callers without a window.
    void waitForAll();

signals:
    void probed(const QString &path, const ProbeResult &probe);
    // The last file of a batch was handed back.
    void batchDone();
    // Nothing is left to hand back: the last batch is done or cancelled.
    void idle();

private:
    struct Batch;
    struct Link;
    void handOver();
    bool handOverOne();

    std::shared_ptr<Link> m_link;
    QTimer m_handOverSoon;
    std::deque<std::shared_ptr<Batch>> m_batches;
    bool m_handingOver = false;
    // A call while handing over (from a nested event loop) that must not be
    // lost: the workers call only once until handOver starts again.
    bool m_calledMeanwhile = false;
};
