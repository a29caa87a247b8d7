// The joining stage: all temporaries, in list order, into the output file;
// then the end of the job.
#include "job.h"

#include "engine/commandline.h"
#include "engine/jobfailure.h"
#include "engine/jobview.h"
#include "engine/livesettings.h"
#include "engine/outputname.h"
#include "platform/messages.h"
#include "platform/poweroff.h"
#include "platform/shellopener.h"
#include "settings/workingselection.h"
#include "tasklist/tasklistmodel.h"

#include <QFileInfo>

void Job::JoinTemporaries(const QString &options)
{
    m_view->setProcessTitle(QStringLiteral("Final Step: Joining all files..."));
    m_view->setConvertingFileVisible(false);
    m_view->showProgressPanel(true);
    m_state = Running;

    double total = 0;
    for (int row = 0; row < m_tasks->count(); ++row) {
        setRowStatus(row, QStringLiteral("Joining"));
        total += playTimeOfRow(row);
    }
    m_joinTarget = joiningTarget();
    m_positionText.clear();

    ProgressParams params;
    params.currentSpan = total;
    params.totalSpan = total;
    params.doneSeconds = 0;
    params.totalOffset = 50;
    params.forwardOnly = true;
    const QString command = JoinCommandLine(m_temporaries.paths(m_tasks->count()),
                                            QuoteArgument(m_joinTarget), options);
    startRun(command, params, &Job::onJoiningEnded);
}

QString Job::joiningTarget() const
{
    if (QFileInfo::exists(m_outputPath) && m_settings->renameOutput())
        return FirstFreeRenamedPath(m_outputPath, m_selection->outputExtension());
    return m_outputPath;
}

void Job::onJoiningEnded(const RunOutcome &outcome)
{
    takeRunEnd();
    if (m_state == Stopped)
        cancelJoining();
    else if (outcome.kind == RunOutcome::FailedToStart)
        failToStartEncoder(QStringLiteral("Failed"), -1);
    else if (!outcome.exitedCleanly() || !IsWrittenFile(m_joinTarget))
        failJoining(outcome);
    else
        completeJob();
}

void Job::cancelJoining()
{
    m_timer.stop();
    setAllRowStatuses(QStringLiteral("Stop"));
    m_temporaries.deleteAll();
    m_messages->inform(QStringLiteral("Cancel"), QStringLiteral("The Joining is canceled."));
    // The partly written output stays where it is.
    m_state = Idle;
    finishJob(false, true);
}

void Job::failJoining(const RunOutcome &outcome)
{
    m_timer.stop();
    setAllRowStatuses(QStringLiteral("Failed"));
    const QString text = RunFailureText(
        QStringLiteral("The encoder could not join the videos into \"%1\".").arg(m_joinTarget),
        outcome, m_joinTarget, m_lastLines);
    m_temporaries.deleteAll();
    // No after-completion action: a failed job never exits the program or
    // turns the computer off.
    m_messages->inform(QStringLiteral("Joining Failed"), text);
    m_state = Idle;
    finishJob(false, true);
}

void Job::completeJob()
{
    showCurrentProgress(100);
    showTotalProgress(100);
    m_timer.stop();
    setAllRowStatuses(QStringLiteral("Complete"));
    m_temporaries.deleteAll();
    m_state = Idle;
    actAfterCompletion();
}

void Job::actAfterCompletion()
{
    if (m_settings->turnOffWhenDone()) {
        m_powerOff->powerOff();
        finishJob(true, false);
        m_view->closeProgram();
        return;
    }
    if (m_settings->exitWhenDone()) {
        finishJob(true, false);
        m_view->closeProgram();
        return;
    }
    m_messages->inform(QStringLiteral("Complete"),
                       QStringLiteral("The joining is completed successfully."));
    if (m_settings->openFolderWhenDone())
        m_shell->open(OutputFolderToOpen(m_outputPath));
    finishJob(true, true);
}
