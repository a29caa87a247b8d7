#include "encoderrun.h"

EncoderRun::EncoderRun(QObject *parent)
    : QObject(parent)
    , m_process(new QProcess(this))
{
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    // The encoder gets no input; an inherited terminal could hand it keys.
    m_process->setStandardInputFile(QProcess::nullDevice());
    connect(m_process, &QProcess::readyReadStandardOutput, this, &EncoderRun::readChunks);
    connect(m_process, &QProcess::finished, this, &EncoderRun::onProcessFinished);
    connect(m_process, &QProcess::errorOccurred, this, &EncoderRun::onProcessError);
    m_stallTimer.setSingleShot(true);
    connect(&m_stallTimer, &QTimer::timeout, this, &EncoderRun::onStalled);
}

int EncoderRun::defaultStallLimit()
{
    bool ok = false;
    const int fromEnvironment = qEnvironmentVariableIntValue("BRELVANE_STALL_LIMIT_MS", &ok);
    return ok && fromEnvironment > 0 ? fromEnvironment : 60000;
}

EncoderRun::~EncoderRun()
{
    m_process->disconnect(this);
    if (m_process->state() != QProcess::NotRunning)
        m_process->kill();
}

void EncoderRun::start(const RunSetup &setup)
{
    m_tracker = ProgressTracker(setup.progress, setup.barsBefore, setup.positionText);
    m_process->setProgram(setup.program);
    m_process->setArguments(setup.arguments);
    m_spanSeconds = setup.progress.currentSpan;
    m_sinceProgress.start();
    m_stallTimer.start(m_stallLimitMs);
    m_process->start();
}

void EncoderRun::terminate()
{
    if (m_finished || m_process->state() == QProcess::NotRunning)
        return;
    m_terminateRequested = true;
    m_killedAs = RunOutcome::Stopped;
    m_process->kill();
}

void EncoderRun::onStalled()
{
    if (m_finished || m_process->state() == QProcess::NotRunning)
        return;
    // Progress only notes its time, so the timer is not rearmed a hundred
    // times a second; it is rearmed here for what is left of the limit.
    const qint64 quiet = m_sinceProgress.elapsed();
    if (quiet < m_stallLimitMs) {
        m_stallTimer.start(int(m_stallLimitMs - quiet));
        return;
    }
    // Within a second of its span the work is as good as done: what keeps
    // the encoder going then is no longer the file.
    const bool workDone = m_spanSeconds > 0 && position() >= m_spanSeconds - 1;
    m_terminateRequested = true;
    m_killedAs = workDone ? RunOutcome::Overran : RunOutcome::Stalled;
    m_process->kill();
}

bool EncoderRun::isRunning() const
{
    return m_process->state() != QProcess::NotRunning;
}

void EncoderRun::readChunks()
{
    while (m_process->bytesAvailable() > 0) {
        const QByteArray bytes = m_process->read(MaxChunkBytes);
        if (bytes.isEmpty())
            break;
        takeChunk(bytes);
    }
}

void EncoderRun::takeChunk(const QByteArray &bytes)
{
    m_bytesRead += bytes.size();
    m_lastChunk = bytes;
    m_tail.append(bytes);
    const double before = m_tracker.position();
    const bool early = m_tracker.chunkCount() < UnparsedLeadingChunks;
    const bool barsMoved = m_tracker.takeChunk(bytes);
    // Output before the first position, or a position that moved on, is
    // progress; a run that only repeats itself is not.
    if (early || m_tracker.position() > before)
        m_sinceProgress.start();
    if (barsMoved)
        emit progress(m_tracker.bars().current, m_tracker.bars().total);
}

void EncoderRun::onProcessFinished(int exitCode, QProcess::ExitStatus status)
{
    // Whatever the child wrote last still counts for the bars.
    readChunks();
    RunOutcome outcome;
    if (m_terminateRequested)
        outcome.kind = m_killedAs;
    else if (status == QProcess::CrashExit)
        outcome.kind = RunOutcome::Crashed;
    else
        outcome.exitCode = exitCode;
    finish(outcome);
}

void EncoderRun::onProcessError(QProcess::ProcessError error)
{
    if (error != QProcess::FailedToStart)
        return; // the others end in finished(), or are not the end
    // Reported from the event loop, so a caller never sees the end of a run
    // before start() has returned.
    QMetaObject::invokeMethod(
        this,
        [this] {
            finish(RunOutcome{RunOutcome::FailedToStart, 0});
        },
        Qt::QueuedConnection);
}

void EncoderRun::finish(const RunOutcome &outcome)
{
    if (m_finished)
        return;
    m_finished = true;
    m_stallTimer.stop();
    emit finished(outcome);
}
