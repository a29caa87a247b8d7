#pragma once

#include "contract/encoderlines.h"
#include "engine/encoderrun.h"
#include "engine/jobfolder.h"
#include "engine/jobplan.h"
#include "engine/jobprogress.h"
#include "engine/jobrequest.h"
#include "engine/jobresult.h"
#include "engine/outputplacement.h"

#include <QFutureWatcher>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

// One job at a time: converts the request's rows into temporaries (several
// at once, as many as the request allows), joins the temporaries into the
// output file and reports how it ended. It is a state machine driven by the
// encoder's signals: start() checks the request on a worker thread and
// returns, every run's end starts what comes next, and nothing waits or
// pumps events. It shows nothing itself: a front end listens to its signals.
//
// Nothing of the user's is put at risk: the temporaries live in a folder of
// the job's own, the join writes a hidden partial file next to the output,
// and only a result the media library has checked replaces the output path.
class Job : public QObject {
    Q_OBJECT
public:
    enum State { Idle = 0, Running = 1, Stopped = 2 };

    explicit Job(QObject *parent = nullptr);
    // A job still running is cut short: its encoders are killed and its
    // temporaries and partial output deleted.
    ~Job() override;

    // Checks the request (off this thread), then runs it; the job ends with
    // finished(), a refusal included. false, and nothing happens, while a
    // job (its checks, or the wind-down of a stopped one) is in progress.
    bool start(const JobRequest &request);
    // Kills the running encoders; the running stage takes its cancel path.
    // During Start's checks or the making of the plan, the job is cancelled
    // as soon as they are done. false, and nothing happens, when none of
    // these is under way.
    bool stop();
    // The once-a-second tick of the job's clock (timer()): elapsed and
    // remaining time, the latter estimated from the job's own total bar.
    void tick();

    State jobState() const { return m_state; }
    // From start() until finished().
    bool isActive() const { return m_active; }
    int elapsedSeconds() const { return m_elapsed; }
    int remainingSeconds() const { return m_remaining; }
    QTimer *timer() { return &m_timer; }

signals:
    // Each stage as it begins; the first locks the front end.
    void stageChanged(JobStage stage);
    void progress(const JobProgress &progress);
    void rowStateChanged(int row, RowState state);
    void warning(const JobWarning &warning);
    void finished(const JobResult &result);

private:
    void onChecked();
    void begin();
    // The plan is made on a worker too: on thousands of rows its command
    // lines take longer than the window may wait. The stage goes on in
    // onPlanned().
    void planThenRun(const QString &workFolder);
    void onPlanned();
    void end(JobResult result);
    bool writeChapterList();

    // Conversion stage.
    void ConvertInputs();
    bool makeWorkFolder();
    void startNextConversions();
    void convertRow(int row);
    void onConversionEnded(EncoderRun *run, const RunOutcome &outcome);
    bool keepConversion(int row, const RunOutcome &outcome, const QStringList &lastLines);
    static QString readingWarning(const QString &input, double rowSeconds,
                                  const InputReading &reading);
    void noteShortCopies(const QStringList &lastLines);
    void addWarning(const QString &text);
    void showConversionProgress();
    void endConversionStage();
    void failConversion();

    // Joining stage and completion.
    void JoinTemporaries();
    void onJoiningEnded(EncoderRun *run, const RunOutcome &outcome);
    QString joinedOutputProblem() const;
    bool placeOutput(const QString &partial);
    bool askToReplaceAppeared(const QString &partial);
    bool keepBoth(const QString &partial, bool nobodyAsked);
    void failJoining(const QString &text, const QString &file);
    void completeJob();

    // Shared by both stages.
    EncoderRun *startRun(const PlanStep &step, bool forwardOnly,
                         void (Job::*onEnded)(EncoderRun *, const RunOutcome &));
    void stopAllRuns();
    void abandonRuns();
    void showJoiningProgress(int currentPercent, int totalPercent);
    void showBars(int current, int total);
    void setRowState(int row, RowState state);
    void setAllRowStates(RowState state);
    void failToStartEncoder(int onlyRow);
    QString diskFullNote(const QString &path) const;
    void cleanUp();

    JobRequest m_request;
    QFutureWatcher<std::optional<StartRefusal>> m_checks;
    bool m_checking = false; // from start() until the checks' answer
    bool m_stoppedWhileChecking = false;
    QFutureWatcher<JobPlan> m_planning;
    bool m_isPlanning = false;
    bool m_stoppedWhilePlanning = false;

    State m_state = Idle;
    bool m_active = false;
    QTimer m_timer;
    int m_elapsed = 0;
    int m_remaining = 0;

    JobPlan m_plan;
    JobFolder m_workFolder;
    // What was at the output path at Start: only that file may be replaced.
    FileIdentity m_outputAtStart;
    JobResult m_result; // what the running job will report
    QList<RowState> m_rowStates;
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
    ProgressBars m_bars;
    JobProgress m_shown;
};
