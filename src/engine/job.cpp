#include "job.h"

#include "engine/jobclock.h"
#include "engine/outputname.h"
#include "engine/requestcheck.h"
#include "engine/tempfiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QtConcurrent/QtConcurrentRun>

Job::Job(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<JobResult>();
    qRegisterMetaType<JobProgress>();
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &Job::tick);
    connect(&m_checks, &QFutureWatcher<std::optional<StartRefusal>>::finished, this,
            &Job::onChecked);
    connect(&m_planning, &QFutureWatcher<JobPlan>::finished, this, &Job::onPlanned);
}

Job::~Job()
{
    // Checks still running finish on their own, with a copy of the request;
    // their answer goes nowhere.
    m_checks.disconnect(this);
    m_planning.disconnect(this);
    abandonRuns();
    cleanUp();
}

bool Job::start(const JobRequest &request)
{
    // A job, or the wind-down of a stopped one, is still in progress.
    if (m_active)
        return false;
    m_active = true;
    m_checking = true;
    m_stoppedWhileChecking = false;
    m_request = request;
    m_result = JobResult();
    m_plan = JobPlan();
    // The checks read the disk once per path; on thousands of rows that
    // takes longer than the window may wait, so they run on a worker.
    m_checks.setFuture(QtConcurrent::run(
        [request]() -> std::optional<StartRefusal> { return CheckJobRequest(request); }));
    return true;
}

void Job::onChecked()
{
    m_checking = false;
    if (m_stoppedWhileChecking) {
        JobResult cancelled;
        cancelled.kind = JobResult::Cancelled;
        cancelled.stage = JobResult::Converting;
        end(cancelled);
        return;
    }
    if (const std::optional<StartRefusal> refusal = m_checks.result()) {
        JobResult refused;
        refused.title = refusal->title;
        refused.message = refusal->text;
        refused.focusOutputFile = refusal->focus == StartRefusal::FocusOutputFile;
        end(refused);
        return;
    }
    const QString &output = m_request.outputPath;
    const auto &overwrite = m_request.questions.overwrite;
    if (QFileInfo::exists(output) && m_request.overwrite.ask && !(overwrite && overwrite(output))) {
        JobResult declined;
        declined.focusOutputFile = true;
        end(declined);
        return;
    }
    begin();
}

void Job::begin()
{
    m_outputAtStart = IdentityOf(m_request.outputPath);
    m_rowStates = QList<RowState>(m_request.rows.size(), RowState::Converting);
    RemoveLeftoverPartialOutputs(FolderPart(m_request.outputPath));
    ConvertInputs();
}

// Runs whose end no longer matters: they are killed without a word.
void Job::abandonRuns()
{
    for (EncoderRun *run : std::as_const(m_runs)) {
        run->disconnect(this);
        delete run; // kills the encoder
    }
    m_runs.clear();
}

bool Job::stop()
{
    if (m_checking) {
        m_stoppedWhileChecking = true;
        return true;
    }
    if (m_isPlanning && m_state == Running) {
        m_stoppedWhilePlanning = true;
        m_state = Stopped;
        return true;
    }
    // Only runs can be stopped; in the wind-down there are none left.
    if (m_state != Running || m_runs.isEmpty())
        return false;
    m_state = Stopped;
    stopAllRuns();
    return true;
}

void Job::tick()
{
    ++m_elapsed;
    m_remaining = EstimateRemainingSeconds(m_elapsed, m_bars.total, m_remaining);
    m_shown.elapsedSeconds = m_elapsed;
    m_shown.remainingSeconds = m_remaining;
    emit progress(m_shown);
}

void Job::planThenRun(const QString &workFolder)
{
    m_isPlanning = true;
    m_stoppedWhilePlanning = false;
    const JobRequest request = m_request;
    const QString target = FinalTarget(m_request);
    m_planning.setFuture(QtConcurrent::run(
        [request, workFolder, target] { return PlanJob(request, workFolder, target); }));
}

void Job::onPlanned()
{
    m_isPlanning = false;
    m_plan = m_planning.result();
    if (m_stoppedWhilePlanning) {
        // Nothing ran yet: the job ends in its conversion stage.
        m_result.kind = JobResult::Cancelled;
        end(m_result);
        return;
    }
    if (m_request.profile.copiesStreams()) {
        JoinTemporaries();
        return;
    }
    m_nextRow = 0;
    startNextConversions();
}

EncoderRun *Job::startRun(const PlanStep &step, bool forwardOnly,
                          void (Job::*onEnded)(EncoderRun *, const RunOutcome &))
{
    auto *run = new EncoderRun(this);
    m_runs << run;
    connect(run, &EncoderRun::finished, this,
            [this, run, onEnded](const RunOutcome &outcome) { (this->*onEnded)(run, outcome); });
    ProgressParams params;
    params.currentSpan = step.seconds;
    params.totalSpan = step.totalSpan;
    params.totalOffset = step.totalOffset;
    params.forwardOnly = forwardOnly;
    run->start(RunSetup{m_request.encoderPath, step.arguments, params, m_bars, m_positionText});
    return run;
}

void Job::stopAllRuns()
{
    for (EncoderRun *run : std::as_const(m_runs))
        run->terminate();
}

void Job::showBars(int current, int total)
{
    m_bars.current = current;
    m_bars.total = total;
    m_shown.current = current;
    m_shown.total = total;
    emit progress(m_shown);
}

void Job::setRowState(int row, RowState state)
{
    m_rowStates[row] = state;
    emit rowStateChanged(row, state);
}

void Job::setAllRowStates(RowState state)
{
    for (int row = 0; row < m_rowStates.size(); ++row)
        setRowState(row, state);
}

void Job::addWarning(const QString &text)
{
    const JobWarning warned{QCoreApplication::translate("Job", "Damaged Input"), text};
    m_result.warnings << warned;
    emit warning(warned);
}

// The encoder could not be started at all: nothing can come of the job, so
// it ends at once, without a joining attempt.
void Job::failToStartEncoder(int onlyRow)
{
    m_timer.stop();
    // Conversions started beside the one that failed end with it, and their
    // rows must not go on reading "Converting".
    for (EncoderRun *run : std::as_const(m_runs)) {
        const QVariant row = run->property("row");
        if (row.isValid() && row.toInt() != onlyRow)
            setRowState(row.toInt(), RowState::Stopped);
    }
    abandonRuns();
    if (onlyRow >= 0)
        setRowState(onlyRow, RowState::Failed);
    else
        setAllRowStates(RowState::Failed);
    m_state = Idle;
    m_result.kind = JobResult::EncoderFailed;
    m_result.encoderMissing = true;
    m_result.file = m_request.encoderPath;
    end(m_result);
}

// A run that failed for want of space says so, whatever the encoder printed.
QString Job::diskFullNote(const QString &path) const
{
    const QStorageInfo storage(FolderPart(path));
    if (!storage.isValid() || storage.bytesAvailable() > 1024 * 1024)
        return QString();
    return QCoreApplication::translate("Job", "The disk is full: \"%1\" has no space left.")
        .arg(storage.rootPath());
}

// What the job made is gone when it ends, whatever the end: the folder of
// temporaries, and a partial output that was never put in place.
void Job::cleanUp()
{
    m_workFolder.remove();
    if (!m_plan.join.target.isEmpty() && m_plan.join.target != m_plan.finalTarget)
        QFile::remove(m_plan.join.target);
}

void Job::end(JobResult result)
{
    m_timer.stop();
    cleanUp();
    m_active = false;
    emit finished(result);
}
