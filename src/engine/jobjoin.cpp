// The joining stage: all temporaries, in list order, into a partial output;
// the check of what it wrote; then the end of the job.
#include "job.h"

#include "contract/encoderlines.h"
#include "engine/copycheck.h"
#include "engine/jobfailure.h"
#include "engine/outputname.h"
#include "engine/requestcheck.h"
#include "engine/tempfiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

void Job::JoinTemporaries()
{
    m_state = Running;
    m_result.stage = JobResult::Joining;
    emit stageChanged(JobStage::Joining);
    setAllRowStates(RowState::Joining);
    // The rename policy looks at the output path as it is now, not as it
    // was when the job started.
    const QString target = FinalTarget(m_request);
    if (target != m_plan.finalTarget)
        m_plan.retarget(target, PartialOutputPath(target));
    m_positionText.clear();
    if (!writeChapterList())
        return;
    EncoderRun *run = startRun(m_plan.join, true, &Job::onJoiningEnded);
    connect(run, &EncoderRun::progress, this, &Job::showJoiningProgress);
}

bool Job::writeChapterList()
{
    if (m_plan.chapterListPath.isEmpty())
        return true;
    QFile list(m_plan.chapterListPath);
    const QByteArray text = m_plan.chapterListText.toUtf8();
    if (list.open(QIODevice::WriteOnly) && list.write(text) == text.size() && list.flush())
        return true;
    failJoining(
        QCoreApplication::translate("Job", "The list of chapters could not be written to \"%1\".")
            .arg(m_plan.chapterListPath),
        m_plan.chapterListPath);
    return false;
}

void Job::showJoiningProgress(int currentPercent, int totalPercent)
{
    if (!m_runs.isEmpty())
        m_shown.encoderOutput = m_runs.first()->lastOutputText();
    showBars(currentPercent, totalPercent);
}

void Job::onJoiningEnded(EncoderRun *run, const RunOutcome &outcome)
{
    const QStringList lastLines = run->lastLines();
    m_shown.encoderOutput = run->lastOutputText();
    emit progress(m_shown);
    m_runs.removeOne(run);
    run->deleteLater();
    const QString partial = m_plan.join.target;
    if (m_state == Stopped) {
        setAllRowStates(RowState::Stopped);
        // The partial output goes with the temporaries; an earlier file at
        // the output path was never touched.
        m_state = Idle;
        m_result.kind = JobResult::Cancelled;
        end(m_result);
    } else if (outcome.kind == RunOutcome::FailedToStart) {
        failToStartEncoder(-1);
    } else if (!outcome.exitedCleanly() || !IsWrittenFile(partial)) {
        QString text = RunFailureText(
            QCoreApplication::translate("Job", "The encoder could not join the videos into \"%1\".")
                .arg(m_plan.finalTarget),
            outcome, partial, lastLines);
        const QString full = diskFullNote(partial);
        failJoining(full.isEmpty() ? text : full + QLatin1Char('\n') + text, m_plan.finalTarget);
    } else if (const QString problem = joinedOutputProblem(); !problem.isEmpty()) {
        failJoining(problem, m_plan.finalTarget);
    } else if (!placeOutput(partial)) {
        failJoining(
            QCoreApplication::translate("Job", "The joined video could not be moved to \"%1\".")
                .arg(m_plan.finalTarget),
            m_plan.finalTarget);
    } else {
        noteShortCopies(run->lastLines(40));
        completeJob();
    }
}

// A copy join lays each input down as far as it can be read and starts the
// next where the file states it ends; what is missing is told, as it is of
// a conversion.
void Job::noteShortCopies(const QStringList &lastLines)
{
    if (!m_request.profile.copiesStreams())
        return;
    const QList<JobRow> &rows = m_request.rows;
    for (const InputReading &reading : ReadingsFromLines(lastLines)) {
        if (reading.input < 0 || reading.input >= rows.size())
            continue;
        const JobRow &row = rows.at(reading.input);
        const double rowSeconds = row.factsKnown ? row.facts.seconds : 0;
        const QString warning = readingWarning(row.path, rowSeconds, reading);
        if (!warning.isEmpty())
            addWarning(warning);
    }
}

// The joined file must hold what was joined: a failure that wrote a short
// file, or a disk that filled up, must never pass as success.
QString Job::joinedOutputProblem() const
{
    const std::optional<ProbeResult> found = m_request.readMedia(m_plan.join.target);
    if (!found)
        return QString();
    JoinExpectation expected;
    // A copy join has no temporaries to measure: its parts are the inputs,
    // each as long as the copy lays it down.
    double copied = 0;
    for (const JobRow &row : m_request.rows) {
        expected.sound = expected.sound || (row.factsKnown && row.facts.hasAudio);
        copied += row.factsKnown ? CopiedSeconds(row.facts) : row.seconds;
    }
    const bool converted = !m_plan.conversions.isEmpty() && m_convertedSecondsKnown;
    expected.seconds = converted                           ? m_convertedSeconds
                       : m_request.profile.copiesStreams() ? copied
                                                           : m_plan.totalSeconds;
    const QString problem = JoinedOutputProblem(*found, expected);
    if (problem.isEmpty())
        return QString();
    const QString full = diskFullNote(m_plan.join.target);
    return (full.isEmpty() ? QString() : full + QLatin1Char('\n')) + problem;
}

void Job::failJoining(const QString &text, const QString &file)
{
    setAllRowStates(RowState::Failed);
    m_state = Idle;
    m_result.kind = JobResult::EncoderFailed;
    m_result.title = QCoreApplication::translate("Job", "Joining Failed");
    m_result.message = text;
    m_result.file = file;
    end(m_result);
}

void Job::completeJob()
{
    m_timer.stop();
    // The last tick may have come before the bar was full.
    m_remaining = 0;
    m_shown.remainingSeconds = 0;
    showBars(100, 100);
    setAllRowStates(RowState::Complete);
    m_state = Idle;
    m_result.kind = JobResult::Succeeded;
    m_result.outputPath = m_plan.finalTarget;
    end(m_result);
}
