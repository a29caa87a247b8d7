#pragma once

#include "engine/encoderrun.h"
#include "engine/tempfiles.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

class JobView;
class LiveSettings;
class Messages;
class PowerOff;
class SelectionSource;
class ShellOpener;
class TaskListModel;
struct StartRefusal;

// One job at a time: converts every task row into a temporary, joins the
// temporaries into the output file and carries out what the user chose for
// the end. It is a state machine driven by the encoder's signals: Start
// starts it and returns, every run's end starts the next step, and nothing
// waits or pumps events. The window stays locked until ended().
class Job : public QObject {
    Q_OBJECT
public:
    enum State { Idle = 0, Running = 1, Stopped = 2 };

    // programDir ends with "/"; encoderPath is the encoder to run. None of
    // the pointers is owned; all must outlive the job.
    Job(TaskListModel *tasks, LiveSettings *settings, SelectionSource *selection, JobView *view,
        Messages *messages, ShellOpener *shell, PowerOff *powerOff, const QString &programDir,
        const QString &encoderPath, QObject *parent = nullptr);
    // A job still running is cut short: the encoder is killed and the job's
    // temporaries are deleted.
    ~Job() override;

    // Start: checks the list and the output file, then starts a job. Does
    // nothing while a job, or the wind-down of a stopped one, is in progress.
    void imgStartClick();
    // Start's checks alone, for a front end that only shows what a job
    // would run. As at Start, the output text may gain the profile's
    // extension and an existing output file may be asked about. Nothing is
    // started; false while a job is in progress.
    bool checkStart() { return !m_active && passesStartChecks(); }
    // Stop: kills the running encoder; the running stage takes its cancel
    // path. Does nothing unless a job is running.
    void imgStopClick();
    // The once-a-second tick of the job's timer: elapsed and remaining time.
    void timerTimeTimer();

    State jobState() const { return m_state; }
    // From the moment the window is locked until ended().
    bool isActive() const { return m_active; }
    int elapsedSeconds() const { return m_elapsed; }
    int remainingSeconds() const { return m_remaining; }
    // The file the latest joining run writes: the output file, or the name
    // the rename policy took instead. Empty before the first joining stage.
    QString joinTarget() const { return m_joinTarget; }
    QTimer *timer() { return &m_timer; }

signals:
    // The job is over and the window unlocked. succeeded: the output file was
    // written and the job completed.
    void ended(bool succeeded);

private:
    bool passesStartChecks();
    bool refuse(const StartRefusal &refusal);
    QStringList inputPaths() const;

    // Conversion stage.
    void ConvertInputs();
    void showConversionPanel();
    void convertRow();
    void onConversionEnded(const RunOutcome &outcome);
    void cancelConversion();
    void failConversion(const RunOutcome &outcome);

    // Joining stage and completion.
    void JoinTemporaries(const QString &options);
    QString joiningTarget() const;
    void onJoiningEnded(const RunOutcome &outcome);
    void cancelJoining();
    void failJoining(const RunOutcome &outcome);
    void completeJob();
    void actAfterCompletion();

    // Shared by both stages.
    void startRun(const QString &commandLine, const ProgressParams &params,
                  void (Job::*onEnded)(const RunOutcome &));
    void takeRunEnd();
    void showRunProgress(int currentPercent, int totalPercent);
    void showCurrentProgress(int value);
    void showTotalProgress(int value);
    void setRowStatus(int row, const QString &status);
    void setAllRowStatuses(const QString &status);
    double playTimeOfRow(int row) const;
    void failToStartEncoder(const QString &rowStatus, int onlyRow);
    void finishJob(bool succeeded, bool showJobSettings);

    TaskListModel *m_tasks;
    LiveSettings *m_settings;
    SelectionSource *m_selection;
    JobView *m_view;
    Messages *m_messages;
    ShellOpener *m_shell;
    PowerOff *m_powerOff;
    QString m_programDir;
    QString m_encoderPath;

    State m_state = Idle;
    bool m_active = false;
    QTimer m_timer;
    int m_elapsed = 0;
    int m_remaining = 0;

    EncoderRun *m_run = nullptr;
    QStringList m_lastLines; // of the run that ended last
    JobTemporaries m_temporaries;
    QString m_outputPath; // the output field's text as Start left it
    QString m_joinTarget; // where the joining run writes
    QString m_frameSize;
    int m_row = 0;
    double m_totalSpan = 0;
    double m_doneSeconds = 0;
    QString m_positionText;
    ProgressBars m_bars;
};
