#include "jobpresenter.h"

#include "engine/job.h"
#include "engine/jobview.h"
#include "engine/outputname.h"
#include "platform/messages.h"
#include "platform/poweroff.h"
#include "platform/shellopener.h"
#include "settings/programinfo.h"
#include "tasklist/tasklistmodel.h"
#include "tasklist/timetext.h"

#include <QCoreApplication>

namespace {

QString OverwriteQuestion()
{
    return QCoreApplication::translate(
        "Job", "The output file is existent. Do you want to continue and overwrite it? "
               "\n\rClick \"No\" to specify another output filename.");
}

QString AppearedQuestion(const QString &output, const QString &freeName)
{
    return QCoreApplication::translate(
               "Job", "The file \"%1\" appeared while the job ran. Do you want to overwrite "
                      "it with the joined video? \n\rClick \"No\" to keep it and save the "
                      "joined video as \"%2\".")
        .arg(output, freeName);
}

QString KeptNotice(const QString &output, const QString &savedAs, bool nobodyAsked)
{
    QString text = QCoreApplication::translate(
                       "Job", "The file \"%1\" appeared while the job ran and was kept. The "
                              "joined video was saved as \"%2\".")
                       .arg(output, savedAs);
    if (nobodyAsked)
        text +=
            QCoreApplication::translate("Job", " Nobody could be asked whether to overwrite it.");
    return text;
}

QString PercentText(int value)
{
    return QString::number(value) + QLatin1Char('%');
}

} // namespace

bool AskToOverwrite(Messages *messages)
{
    return messages->ask(QCoreApplication::translate("Job", "File Exists"), OverwriteQuestion());
}

JobPresenter::JobPresenter(Job *job, JobView *view, Messages *messages, ShellOpener *shell,
                           PowerOff *power, QObject *parent)
    : QObject(parent)
    , m_job(job)
    , m_view(view)
    , m_messages(messages)
    , m_shell(shell)
    , m_power(power)
{
    connect(job, &Job::stageChanged, this, &JobPresenter::onStage);
    connect(job, &Job::progress, this, &JobPresenter::onProgress);
    connect(job, &Job::rowStateChanged, this, &JobPresenter::onRowState);
    connect(job, &Job::finished, this, &JobPresenter::onFinished);
}

bool JobPresenter::start(JobRequest request, const AfterCompletion &after)
{
    if (m_job->isActive() || m_locked)
        return false;
    m_after = after;
    if (!request.profileChoice.isEmpty())
        m_view->showProfileChoice(request.profileChoice, request.profileChoiceDetail);
    if (request.rows.size() >= 2)
        m_view->focusTaskList();
    if (request.outputPath != m_view->outputFileText())
        m_view->setOutputFileText(request.outputPath);
    Messages *messages = m_messages;
    request.questions.overwrite = [messages](const QString &) { return AskToOverwrite(messages); };
    if (m_asksDuringJob) {
        request.questions.replaceAppeared = [messages](const QString &output,
                                                       const QString &freeName) {
            return messages->ask(QCoreApplication::translate("Job", "File Exists"),
                                 AppearedQuestion(output, freeName));
        };
    }
    return m_job->start(request);
}

void JobPresenter::stop()
{
    if (m_job->stop())
        m_view->showStartInsteadOfStop();
}

void JobPresenter::lock()
{
    if (m_locked)
        return;
    m_locked = true;
    m_view->DisableJobControls();
}

void JobPresenter::unlock(bool showJobSettings, bool succeeded)
{
    if (showJobSettings)
        m_view->showProgressPanel(false);
    m_view->EnableJobControls();
    m_locked = false;
    emit ended(succeeded);
}

void JobPresenter::onStage(JobStage stage)
{
    lock();
    if (stage == JobStage::Converting) {
        m_shown = JobProgress();
        m_view->setProcessTitle(QCoreApplication::translate("Job", "Prepare (Converting):"));
        m_view->setConvertingFile(QString());
        m_view->setConvertingFileVisible(true);
        m_view->setElapsedText(QString());
        m_view->setRemainingText(QString());
        m_view->setCurrentProgress(0, PercentText(0));
        m_view->setTotalProgress(0, PercentText(0));
    } else {
        m_view->setProcessTitle(
            QCoreApplication::translate("Job", "Final Step: Joining all files..."));
        m_view->setConvertingFileVisible(false);
    }
    m_view->showProgressPanel(true);
}

// Only what changed is drawn again.
void JobPresenter::onProgress(const JobProgress &progress)
{
    if (progress.file != m_shown.file)
        m_view->setConvertingFile(progress.file);
    if (progress.encoderOutput != m_shown.encoderOutput)
        m_view->setEncoderOutput(progress.encoderOutput);
    if (progress.current != m_shown.current)
        m_view->setCurrentProgress(progress.current, PercentText(progress.current));
    if (progress.total != m_shown.total)
        m_view->setTotalProgress(progress.total, PercentText(progress.total));
    if (progress.elapsedSeconds >= 0 && progress.elapsedSeconds != m_shown.elapsedSeconds)
        m_view->setElapsedText(SecondsToTimeText(progress.elapsedSeconds));
    if (progress.remainingSeconds >= 0 && progress.remainingSeconds != m_shown.remainingSeconds)
        m_view->setRemainingText(SecondsToTimeText(progress.remainingSeconds));
    m_shown = progress;
}

void JobPresenter::onRowState(int row, RowState state)
{
    if (!m_tasks)
        return;
    m_tasks->setRowState(row, state);
}

void JobPresenter::onFinished(const JobResult &result)
{
    switch (result.kind) {
    case JobResult::Refused:
        if (!result.title.isEmpty())
            m_messages->inform(result.title, result.message);
        if (result.focusOutputFile)
            m_view->focusOutputFile();
        // A job refused at Start never locked anything.
        if (m_locked)
            unlock(true, false);
        return;
    case JobResult::Cancelled:
        m_messages->inform(QCoreApplication::translate("Job", "Cancel"),
                           result.stage == JobResult::Joining
                               ? QCoreApplication::translate("Job", "The Joining is canceled.")
                               : QCoreApplication::translate("Job", "The Coversion is canceled."));
        // Also when stopped during Start's checks, before anything was
        // locked: whoever stopped it waits for the end.
        unlock(true, false);
        return;
    case JobResult::EncoderFailed:
        tellFailure(result);
        unlock(true, false);
        return;
    case JobResult::Succeeded:
        complete(result);
        return;
    }
}

void JobPresenter::tellFailure(const JobResult &result)
{
    if (result.encoderMissing) {
        m_messages->plain(ProgramInfo::ProgramName,
                          QCoreApplication::translate("Job", "Error. Please re-install ") +
                              ProgramInfo::ProgramName);
        return;
    }
    // No after-completion action: a failed job never exits the program or
    // turns the computer off.
    m_messages->inform(result.title, result.message);
}

void JobPresenter::complete(const JobResult &result)
{
    if (result.appearedFileKept) {
        m_messages->inform(QCoreApplication::translate("Job", "File Exists"),
                           KeptNotice(result.file, result.outputPath, result.nobodyAsked));
    }
    for (const JobWarning &warning : result.warnings)
        m_messages->inform(warning.title, warning.text);
    if (m_after.turnOff && m_power) {
        // Only a checked success gets here: a failed job never turns the
        // computer off.
        m_view->askToPowerOff([this, result](bool powerOff) {
            if (!powerOff) {
                tellCompletion(result);
                return;
            }
            m_power->powerOff();
            unlock(false, true);
            m_view->closeProgram();
        });
        return;
    }
    if (m_after.exitProgram) {
        unlock(false, true);
        m_view->closeProgram();
        return;
    }
    tellCompletion(result);
}

void JobPresenter::tellCompletion(const JobResult &result)
{
    m_messages->inform(
        QCoreApplication::translate("Job", "Complete"),
        QCoreApplication::translate("Job", "The joining is completed successfully."));
    if (m_after.openFolder && m_shell)
        m_shell->open(OutputFolderToOpen(result.outputPath));
    unlock(true, true);
}
