#pragma once

#include <QObject>

class QSocketNotifier;

// Ctrl+C (SIGINT) and SIGTERM, taken as data instead of in a signal handler:
// both are blocked in every thread and read from a signal descriptor that the
// event loop watches. The encoder inherits the blocked signals, so the Ctrl+C
// a terminal sends to its whole foreground process group does not reach it:
// the job alone stops it, on its cancel path, and deletes the temporaries.
class InterruptSignals : public QObject {
    Q_OBJECT
public:
    // Blocks both signals in the calling thread and every thread and child
    // process started after it. Call first thing in main.
    static void blockInThisProcess();

    explicit InterruptSignals(QObject *parent = nullptr);
    ~InterruptSignals() override;

    // Readable while a signal is pending; for waiting on a terminal answer.
    int descriptor() const { return m_fd; }
    // The first signal received so far, 0 before any.
    int received() const { return m_received; }
    // Takes a pending signal without waiting and reports it; true when one
    // has been received by now.
    bool takePending();

signals:
    void arrived(int signalNumber);

private:
    void readPending();

    int m_fd = -1;
    int m_received = 0;
    QSocketNotifier *m_notifier = nullptr;
};
