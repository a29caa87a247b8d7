#include "job.h"

#include "engine/jobclock.h"
#include "engine/jobview.h"
#include "engine/outputname.h"
#include "platform/messages.h"
#include "settings/livesettings.h"
#include "settings/programinfo.h"
#include "tasklist/tasklistmodel.h"
#include "tasklist/timetext.h"

#include <QFile>
#include <QStorageInfo>

Job::Job(TaskListModel *tasks, LiveSettings *settings, SelectionSource *selection, JobView *view,
         Messages *messages, ShellOpener *shell, PowerOff *powerOff, const QString &programDir,
         const QString &encoderPath, QObject *parent)
    : QObject(parent)
    , m_tasks(tasks)
    , m_settings(settings)
    , m_selection(selection)
    , m_view(view)
    , m_messages(messages)
    , m_shell(shell)
    , m_powerOff(powerOff)
    , m_programDir(programDir)
    , m_encoderPath(encoderPath)
{
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &Job::timerTimeTimer);
    // The tests' stand-in encoder writes no real video, so there is nothing
    // the media library could check; the variable says that encoder is in use.
    if (qEnvironmentVariableIsSet("BRELVANE_TEST_FAKE_ENCODER"))
        m_readMedia = [](const QString &) { return std::optional<ProbeResult>(); };
}

Job::~Job()
{
    abandonRuns();
    cleanUp();
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

void Job::imgStopClick()
{
    // Only runs can be stopped; in the wind-down there are none left.
    if (m_state != Running || m_runs.isEmpty())
        return;
    m_view->showStartInsteadOfStop();
    m_state = Stopped;
    stopAllRuns();
}

void Job::timerTimeTimer()
{
    ++m_elapsed;
    m_view->setElapsedText(SecondsToTimeText(m_elapsed));
    m_remaining = EstimateRemainingSeconds(m_elapsed, m_view->totalProgress(), m_remaining);
    m_view->setRemainingText(SecondsToTimeText(m_remaining));
}

QStringList Job::inputPaths() const
{
    QStringList inputs;
    for (int row = 0; row < m_tasks->count(); ++row)
        inputs << m_tasks->caption(row);
    return inputs;
}

EncoderRun *Job::startRun(const PlanStep &step, bool forwardOnly,
                          void (Job::*onEnded)(EncoderRun *, const RunOutcome &))
{
    auto *run = new EncoderRun(this);
    m_runs << run;
    m_encoderStarted = true;
    connect(run, &EncoderRun::finished, this,
            [this, run, onEnded](const RunOutcome &outcome) { (this->*onEnded)(run, outcome); });
    ProgressParams params;
    params.currentSpan = step.seconds;
    params.totalSpan = step.totalSpan;
    params.totalOffset = step.totalOffset;
    params.forwardOnly = forwardOnly;
    run->start(RunSetup{m_encoderPath, step.commandLine, params, m_bars, m_positionText});
    return run;
}

void Job::stopAllRuns()
{
    for (EncoderRun *run : std::as_const(m_runs))
        run->terminate();
}

void Job::showCurrentProgress(int value)
{
    m_bars.current = value;
    m_view->setCurrentProgress(value, QString::number(value) + QLatin1Char('%'));
}

void Job::showTotalProgress(int value)
{
    m_bars.total = value;
    m_view->setTotalProgress(value, QString::number(value) + QLatin1Char('%'));
}

void Job::setRowStatus(int row, const QString &status)
{
    m_tasks->setStatus(row, status);
}

void Job::setAllRowStatuses(const QString &status)
{
    for (int row = 0; row < m_tasks->count(); ++row)
        setRowStatus(row, status);
}

double Job::playTimeOfRow(int row) const
{
    return m_tasks->row(row).playSeconds();
}

// The encoder could not be started at all: nothing can come of the job, so
// it ends at once, without a joining attempt.
void Job::failToStartEncoder(const QString &rowStatus, int onlyRow)
{
    m_timer.stop();
    // Conversions started beside the one that failed end with it, and their
    // rows must not go on reading "Converting".
    for (EncoderRun *run : std::as_const(m_runs)) {
        const QVariant row = run->property("row");
        if (row.isValid() && row.toInt() != onlyRow)
            setRowStatus(row.toInt(), stoppedStatusText());
    }
    abandonRuns();
    if (onlyRow >= 0)
        setRowStatus(onlyRow, rowStatus);
    else
        setAllRowStatuses(rowStatus);
    m_messages->plain(ProgramInfo::ProgramName,
                      QStringLiteral("Error. Please re-install ") + ProgramInfo::ProgramName);
    m_state = Idle;
    finishJob(false, true);
}

// A run that failed for want of space says so, whatever the encoder printed.
QString Job::diskFullNote(const QString &path) const
{
    const QStorageInfo storage(FolderPart(path));
    if (!storage.isValid() || storage.bytesAvailable() > 1024 * 1024)
        return QString();
    return QStringLiteral("The disk is full: \"%1\" has no space left.").arg(storage.rootPath());
}

// What the job made is gone when it ends, whatever the end: the folder of
// temporaries, and a partial output that was never put in place.
void Job::cleanUp()
{
    m_workFolder.remove();
    if (!m_plan.join.target.isEmpty() && m_plan.join.target != m_plan.finalTarget)
        QFile::remove(m_plan.join.target);
}

void Job::finishJob(bool succeeded, bool showJobSettings)
{
    m_timer.stop();
    cleanUp();
    if (showJobSettings)
        m_view->showProgressPanel(false);
    m_view->EnableJobControls();
    m_active = false;
    emit ended(succeeded);
}
