#include "job.h"

#include "app/programinfo.h"
#include "engine/jobclock.h"
#include "engine/jobview.h"
#include "engine/livesettings.h"
#include "platform/messages.h"
#include "tasklist/tasklistmodel.h"
#include "tasklist/timetext.h"

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
}

Job::~Job()
{
    if (m_run) {
        m_run->disconnect(this);
        delete m_run; // kills the encoder
    }
    m_temporaries.deleteAll();
}

void Job::imgStopClick()
{
    // Only a run can be stopped; in the wind-down there is none left.
    if (m_state != Running || !m_run)
        return;
    m_view->showStartInsteadOfStop();
    m_state = Stopped;
    m_run->terminate();
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

void Job::startRun(const QString &commandLine, const ProgressParams &params,
                   void (Job::*onEnded)(const RunOutcome &))
{
    m_run = new EncoderRun(this);
    connect(m_run, &EncoderRun::progress, this, &Job::showRunProgress);
    connect(m_run, &EncoderRun::finished, this, onEnded);
    m_run->start(RunSetup{m_encoderPath, commandLine, params, m_bars, m_positionText});
}

// Keeps what the stages still need of a run that has ended, and lets it go.
void Job::takeRunEnd()
{
    m_positionText = m_run->positionText();
    m_lastLines = m_run->lastLines();
    m_view->setEncoderOutput(m_run->lastOutputText());
    m_run->deleteLater();
    m_run = nullptr;
}

void Job::showRunProgress(int currentPercent, int totalPercent)
{
    if (m_run)
        m_view->setEncoderOutput(m_run->lastOutputText());
    showCurrentProgress(currentPercent);
    showTotalProgress(totalPercent);
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
    ltvItemData record;
    record.SubItems[StatusSlot] = status;
    m_tasks->SetItemData(row, StatusSlot, record);
}

void Job::setAllRowStatuses(const QString &status)
{
    for (int row = 0; row < m_tasks->count(); ++row)
        setRowStatus(row, status);
}

double Job::playTimeOfRow(int row) const
{
    ltvItemData record;
    m_tasks->GetItemData(row, WholeRowSelector, record);
    return record.Seconds[0];
}

// The encoder could not be started at all: nothing can come of the job, so
// it ends at once, without a joining attempt.
void Job::failToStartEncoder(const QString &rowStatus, int onlyRow)
{
    m_timer.stop();
    if (onlyRow >= 0)
        setRowStatus(onlyRow, rowStatus);
    else
        setAllRowStatuses(rowStatus);
    m_temporaries.deleteAll();
    m_messages->plain(ProgramInfo::ProgramName,
                      QStringLiteral("Error. Please re-install ") + ProgramInfo::ProgramName);
    m_state = Idle;
    finishJob(false, true);
}

void Job::finishJob(bool succeeded, bool showJobSettings)
{
    m_timer.stop();
    if (showJobSettings)
        m_view->showProgressPanel(false);
    m_view->EnableJobControls();
    m_active = false;
    emit ended(succeeded);
}
