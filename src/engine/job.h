#pragma once

#include "contract/encoderlines.h"
#include "engine/automaticchoice.h"
#include "engine/encoderrun.h"
#include "engine/jobfolder.h"
#include "engine/jobplan.h"
#include "engine/joincheck.h"
#include "engine/outputplacement.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <optional>

class JobView;
class LiveSettings;
class Messages;
class PowerOff;
class SelectionSource;
class ShellOpener;
class TaskListModel;
struct StartRefusal;

// One job at a time: converts the task rows into temporaries (several at
// once, as many as the settings allow), joins the temporaries into the
// output file and carries out what the user chose for the end. It is a state
// machine driven by the encoder's signals: Start makes the job's plan,
// starts it and returns, every run's end starts what comes next, and nothing
// waits or pumps events. The window stays locked until ended().
//
// Nothing of the user's is put at risk: the temporaries live in a folder of
// the job's own, the join writes a hidden partial file next to the output,
// and only a result the media library has checked replaces the output path.
class Job : public QObject {
    Q_OBJECT
public:
    enum State { Idle = 0, Running = 1, Stopped = 2 };

    // programDir ends with "/"; encoderPath is the encoder to run. None of
    // the pointers is owned; all must outlive the job.
    Job(TaskListModel *tasks, LiveSettings *settings, SelectionSource *selection, JobView *view,
        Messages *messages, ShellOpener *shell, PowerOff *powerOff, const QString &programDir,
        const QString &encoderPath, QObject *parent = nullptr);
    // A job still running is cut short: its encoders are killed and its
    // temporaries and partial output deleted.
    ~Job() override;

    // Start: checks the list and the output file, then starts a job. Does
    // nothing while a job, or the wind-down of a stopped one, is in progress.
    void imgStartClick();
    // Start's checks alone, for a front end that only shows what a job
    // would run. As at Start, the output text may gain the profile's
    // extension and an existing output file may be asked about. Nothing is
    // started; false while a job is in progress.
    bool checkStart() { return !m_active && passesStartChecks(); }
    // The plan a job started now would run, with its command lines; for a
    // front end that prints it. Creates nothing.
    JobPlan previewPlan() const;
    // Stop: kills the running encoders; the running stage takes its cancel
    // path. Does nothing unless a job is running.
    void imgStopClick();
    // The once-a-second tick of the job's timer: elapsed and remaining time.
    void timerTimeTimer();

    // How the job reads back what its encoder wrote (the media library by
    // default).
    void setMediaReader(const MediaReader &reader) { m_readMedia = reader; }

    State jobState() const { return m_state; }
    // From the moment the window is locked until ended().
    bool isActive() const { return m_active; }
    int elapsedSeconds() const { return m_elapsed; }
    int remainingSeconds() const { return m_remaining; }
    // The file the latest job wrote: the output file, or the name the
    // rename policy took instead. Empty before the first joining stage.
    QString joinTarget() const { return m_plan.finalTarget; }
    // What the latest job warned about (inputs that could be read only in
    // part), one text each.
    QStringList warnings() const { return m_warnings; }
    // The latest job kept its result under another name because a file had
    // appeared at the output path that nobody could be asked about.
    bool outputRefused() const { return m_outputRefused; }
    // Whether the latest job started the encoder at all: a job that ended
    // without was refused before any work, one that did failed at it.
    bool encoderStarted() const { return m_encoderStarted; }
    QTimer *timer() { return &m_timer; }

signals:
    // The job is over and the window unlocked. succeeded: the output file was
    // written, checked and put in place, and the job completed.
    void ended(bool succeeded);

private:
    bool passesStartChecks();
    bool refuse(const StartRefusal &refusal);
    // The profile joins the inputs as they are: no conversions, and the
    // output keeps the first input's extension.
    bool copiesStreams() const;
    // The profile and selection the job encodes with: the window's, or
    // those an automatic profile chose for the inputs at Start.
    QString jobProfilePath() const;
    WorkingSelection jobSelection() const;
    void chooseForInputs();
    QString outputExtension() const;
    QStringList inputPaths() const;
    QList<PlanInput> planInputs() const;
    JobPlan makePlan(const QString &workFolder) const;
    struct SpaceNeed spaceNeed() const;

    // Conversion stage.
    void ConvertInputs();
    bool makeWorkFolder();
    void showConversionPanel();
    void startNextConversions();
    void convertRow(int row);
    void onConversionEnded(EncoderRun *run, const RunOutcome &outcome);
    bool keepConversion(int row, const RunOutcome &outcome, const QStringList &lastLines);
    static QString readingWarning(const QString &input, double rowSeconds,
                                  const InputReading &reading);
    void noteShortCopies(const QStringList &lastLines);
    void showConversionProgress();
    void endConversionStage();
    void cancelConversion();
    void failConversion();

    // Joining stage and completion.
    void JoinTemporaries();
    QString finalTarget() const;
    void onJoiningEnded(EncoderRun *run, const RunOutcome &outcome);
    QString joinedOutputProblem() const;
    bool placeOutput(const QString &partial);
    bool askToReplaceAppeared(const QString &partial);
    bool keepBoth(const QString &partial, bool nobodyAsked);
    void cancelJoining();
    void failJoining(const QString &text);
    void completeJob();
    void actAfterCompletion();
    void tellCompletion();

    // Shared by both stages.
    EncoderRun *startRun(const PlanStep &step, bool forwardOnly,
                         void (Job::*onEnded)(EncoderRun *, const RunOutcome &));
    void stopAllRuns();
    void abandonRuns();
    void showJoiningProgress(int currentPercent, int totalPercent);
    void showCurrentProgress(int value);
    void showTotalProgress(int value);
    void setRowStatus(int row, const QString &status);
    void setAllRowStatuses(const QString &status);
    double playTimeOfRow(int row) const;
    void failToStartEncoder(const QString &rowStatus, int onlyRow);
    QString diskFullNote(const QString &path) const;
    void cleanUp();
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
    MediaReader m_readMedia = LibraryMediaReader();

    State m_state = Idle;
    bool m_active = false;
    bool m_encoderStarted = false;
    QTimer m_timer;
    int m_elapsed = 0;
    int m_remaining = 0;

    // What an automatic profile chose at the latest Start.
    std::optional<AutomaticChoice> m_automatic;
    JobPlan m_plan;
    JobFolder m_workFolder;
    QString m_outputPath; // the output field's text as Start left it
    // What was at the output path at Start: only that file may be replaced.
    FileIdentity m_outputAtStart;
    bool m_outputRefused = false;
    int m_conversionsAtOnce = 1;
    QList<EncoderRun *> m_runs; // running now, in the order they started
    // The stage's position text: it starts empty with each stage and goes on
    // from one run to the next, so a run whose first chunks hold no "Pos:"
    // reads on from where the run before it stopped.
    QString m_positionText;
    int m_nextRow = 0;
    double m_doneSeconds = 0;
    double m_convertedSeconds = 0; // the temporaries' own play times, summed
    bool m_convertedSecondsKnown = true;
    // A conversion that failed: the others are ended, then it is told.
    int m_failedRow = -1;
    RunOutcome m_failedOutcome;
    QStringList m_failedLines;
    QStringList m_warnings;
    ProgressBars m_bars;
};
