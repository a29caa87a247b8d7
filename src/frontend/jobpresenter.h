#pragma once

#include "engine/jobprogress.h"
#include "engine/jobrequest.h"
#include "engine/jobresult.h"

#include <QObject>

class Job;
class JobView;
class Messages;
class PowerOff;
class ShellOpener;
class TaskListModel;

// What the user chose for the end of a successful job.
struct AfterCompletion {
    bool openFolder = false;
    bool exitProgram = false;
    bool turnOff = false;
};

// A front end's side of a job: it starts the job with the front end's
// questions, shows what the job reports on a JobView and the task list, and
// turns the job's result into the program's messages and after-completion
// actions.
class JobPresenter : public QObject {
    Q_OBJECT
public:
    // None of the pointers is owned. shell and power may be null for a front
    // end whose after-completion actions are never chosen.
    JobPresenter(Job *job, JobView *view, Messages *messages, ShellOpener *shell, PowerOff *power,
                 QObject *parent = nullptr);

    // Where the rows' states are shown; none by default.
    void setTasks(TaskListModel *tasks) { m_tasks = tasks; }
    // Whether a file that appears at the output path during the job may be
    // asked about (by default it may). A front end that runs unattended keeps
    // both files instead.
    void setAsksDuringJob(bool asks) { m_asksDuringJob = asks; }

    // Start: the output field gets the request's output path, the job starts
    // with this presenter's questions. false while a job is in progress.
    bool start(JobRequest request, const AfterCompletion &after);
    // Stop: the job winds down, Start is shown at once.
    void stop();
    // From the moment a job locks the front end until ended().
    bool isBusy() const { return m_locked; }

signals:
    // A job that locked the front end is over and it is unlocked again,
    // after every message of its end.
    void ended(bool succeeded);

private:
    void onStage(JobStage stage);
    void onProgress(const JobProgress &progress);
    void onRowState(int row, RowState state);
    void onFinished(const JobResult &result);
    void lock();
    void unlock(bool showJobSettings, bool succeeded);
    void tellFailure(const JobResult &result);
    void complete(const JobResult &result);
    void tellCompletion(const JobResult &result);

    Job *m_job;
    JobView *m_view;
    Messages *m_messages;
    ShellOpener *m_shell;
    PowerOff *m_power;
    TaskListModel *m_tasks = nullptr;
    bool m_asksDuringJob = true;
    AfterCompletion m_after;
    bool m_locked = false;
    JobProgress m_shown;
};

// Start's question about an existing output file; true overwrites it.
bool AskToOverwrite(Messages *messages);

// A row's status text on the task list.
QString RowStateText(RowState state);
