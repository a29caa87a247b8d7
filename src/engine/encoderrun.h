#pragma once

#include "outputtail.h"
#include "progressparser.h"
#include "progresstracker.h"

#include <QElapsedTimer>
#include <QMetaType>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>

// How one run of the encoder ended.
struct RunOutcome {
    enum Kind {
        FailedToStart, // the program is missing or cannot be executed
        Crashed,       // ended by a signal nobody here sent
        Stopped,       // killed through EncoderRun::terminate
        Exited,        // ended by itself; exitCode tells how
        Stalled,       // killed after showing no progress for the stall limit
        Overran,       // killed when it kept running after its work was done
    };
    Kind kind = Exited;
    int exitCode = 0;

    bool exitedCleanly() const { return kind == Exited && exitCode == 0; }
};
Q_DECLARE_METATYPE(RunOutcome)

// Everything one run needs.
struct RunSetup {
    QString program;       // EncoderPath
    QStringList arguments; // as the command line functions build them; never given to a shell
    ProgressParams progress;
    ProgressBars barsBefore; // what the bars show when the run starts
    QString positionText;    // the stage's position text from its previous run
};

// One run of the encoder as a child process whose standard output and
// error share one channel. The output is read in chunks of at most
// MaxChunkBytes as it arrives, its "Pos:" text moves the bars, and the end
// is reported once. Nothing here blocks or pumps events.
//
// Single use: start() once, then wait for finished().
class EncoderRun : public QObject {
    Q_OBJECT
public:
    explicit EncoderRun(QObject *parent = nullptr);
    // Kills a child that still runs; finished() is not emitted then.
    ~EncoderRun() override;

    void start(const RunSetup &setup);
    // How long a run may go without progress before it is ended as stalled:
    // an encoder can hang on a damaged file, or spin after writing its file,
    // and the user must never wait forever. Set before start().
    void setStallLimit(int milliseconds) { m_stallLimitMs = milliseconds; }
    // The stall limit every run starts with: 60 s, or the milliseconds in
    // BRELVANE_STALL_LIMIT_MS (so tests need not wait a minute).
    static int defaultStallLimit();
    // Kills the child (TerminateEncoder). Does nothing once it has ended.
    void terminate();

    bool isRunning() const;
    ProgressBars bars() const { return m_tracker.bars(); }
    QString positionText() const { return m_tracker.positionText(); }
    // The encoder's position in seconds, from its latest parsed "Pos:".
    double position() const { return m_tracker.position(); }
    int chunkCount() const { return m_tracker.chunkCount(); }
    qint64 bytesRead() const { return m_bytesRead; }
    // The text of the last chunk read, made only when asked for.
    QString lastOutputText() const { return ChunkText(m_lastChunk); }
    // The last lines of output, for telling the user why a run failed.
    QStringList lastLines(int count = 10) const { return m_tail.lastLines(count); }

signals:
    // Only when a chunk changed the bars; both values within 0..100.
    void progress(int currentPercent, int totalPercent);
    void finished(RunOutcome outcome);

private:
    void readChunks();
    void takeChunk(const QByteArray &bytes);
    void onProcessFinished(int exitCode, QProcess::ExitStatus status);
    void onProcessError(QProcess::ProcessError error);
    void finish(const RunOutcome &outcome);
    void onStalled();

    QProcess *m_process;
    ProgressTracker m_tracker{ProgressParams(), ProgressBars()};
    OutputTail m_tail;
    QByteArray m_lastChunk;
    qint64 m_bytesRead = 0;
    QTimer m_stallTimer;
    QElapsedTimer m_sinceProgress;
    int m_stallLimitMs = defaultStallLimit();
    double m_spanSeconds = 0;
    RunOutcome::Kind m_killedAs = RunOutcome::Stopped;
    bool m_terminateRequested = false;
    bool m_finished = false;
};
