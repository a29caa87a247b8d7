// The conversion stage: every row into a temporary of one common format,
// several rows at once, in the job's own folder.
#include "job.h"

#include "contract/encoderlines.h"
#include "engine/jobfailure.h"
#include "engine/outputname.h"
#include "engine/tempfiles.h"
#include "progressparser.h"

#include <QCoreApplication>
#include <QFileInfo>

void Job::ConvertInputs()
{
    m_state = Running;
    m_elapsed = 0;
    m_remaining = 0;
    m_bars = ProgressBars();
    m_shown = JobProgress();
    emit stageChanged(JobStage::Converting);
    m_timer.start();
    m_doneSeconds = 0;
    m_convertedSeconds = 0;
    m_convertedSecondsKnown = true;
    m_failedRow = -1;
    m_positionText.clear();
    m_result.stage = JobResult::Converting;
    // A copy join has nothing to convert, so no folder of temporaries
    // either; only a chapter list needs one.
    const bool needsFolder = !m_request.profile.copiesStreams() || WantsChapters(m_request);
    if (needsFolder && !makeWorkFolder())
        return;
    planThenRun(needsFolder ? m_workFolder.path() : QString());
}

bool Job::makeWorkFolder()
{
    const TempFolderChoice choice = ChooseTempFolder(m_request.tempDir, m_request.programDir);
    if (choice.succeeded() && m_workFolder.create(choice.folder))
        return true;
    const QStringList failed =
        choice.succeeded() ? QStringList{choice.folder} : choice.failedFolders;
    m_state = Idle;
    m_result.kind = JobResult::Refused;
    m_result.title = QCoreApplication::translate("Job", "Temp Folder");
    m_result.message =
        QCoreApplication::translate("Job", "Unable to create the temporary folder \"%1\".")
            .arg(failed.join(QStringLiteral("\" or \"")));
    m_result.file = failed.value(0);
    end(m_result);
    return false;
}

void Job::startNextConversions()
{
    const int atOnce = qMax(1, m_request.conversionsAtOnce);
    while (m_runs.size() < atOnce && m_nextRow < m_plan.conversions.size()) {
        if (m_nextRow > 0)
            showBars(0, m_bars.total);
        convertRow(m_nextRow++);
    }
}

void Job::convertRow(int row)
{
    setRowState(row, RowState::Converting);
    EncoderRun *run = startRun(m_plan.conversions.at(row), false, &Job::onConversionEnded);
    run->setProperty("row", row);
    connect(run, &EncoderRun::progress, this, &Job::showConversionProgress);
    showConversionProgress();
}

// The bars follow every running conversion: the current bar the one least
// far along, the total bar all of them; the label names that same file.
void Job::showConversionProgress()
{
    EncoderRun *slowest = nullptr;
    double slowestShare = 0;
    double running = 0;
    for (EncoderRun *run : std::as_const(m_runs)) {
        const PlanStep &step = m_plan.conversions.at(run->property("row").toInt());
        const double share = step.seconds > 0 ? run->position() / step.seconds : 0;
        if (!slowest || share < slowestShare) {
            slowest = run;
            slowestShare = share;
        }
        running += run->position();
    }
    if (!slowest)
        return;
    const PlanStep &step = m_plan.conversions.at(slowest->property("row").toInt());
    QString label = FileNamePart(step.input);
    if (m_runs.size() > 1)
        label += QCoreApplication::translate("Job", " +%1 more").arg(m_runs.size() - 1);
    m_shown.file = label;
    m_shown.encoderOutput = slowest->lastOutputText();
    if (slowest->chunkCount() <= UnparsedLeadingChunks && m_runs.size() == 1) {
        emit progress(m_shown); // the bars stay as they were until a position is known
        return;
    }
    ProgressParams params;
    params.currentSpan = step.seconds;
    params.totalSpan = m_plan.totalSeconds;
    params.doneSeconds = m_doneSeconds + running - slowest->position();
    const ProgressBars bars = ComputeBars(slowest->position(), params, m_bars);
    showBars(bars.current, bars.total);
}

void Job::onConversionEnded(EncoderRun *run, const RunOutcome &outcome)
{
    const int row = run->property("row").toInt();
    const QStringList lastLines = run->lastLines();
    m_shown.encoderOutput = run->lastOutputText();
    emit progress(m_shown);
    m_positionText = run->positionText();
    m_runs.removeOne(run);
    run->deleteLater();

    if (m_state == Running && outcome.kind == RunOutcome::FailedToStart) {
        failToStartEncoder(row);
        return;
    }
    if (m_state == Running && m_failedRow < 0 && !keepConversion(row, outcome, lastLines)) {
        // An input the encoder failed on must not pass as converted: joining
        // without it would give an output that silently lacks a part.
        m_failedRow = row;
        m_failedOutcome = outcome;
        m_failedLines = lastLines;
        setRowState(row, RowState::Failed);
        stopAllRuns();
    }
    if (m_state == Stopped || m_failedRow >= 0) {
        if (m_failedRow != row && outcome.kind == RunOutcome::Stopped)
            setRowState(row, RowState::Stopped);
        if (m_runs.isEmpty())
            endConversionStage();
        return;
    }
    m_doneSeconds += m_plan.conversions.at(row).seconds;
    setRowState(row, RowState::WaitingForJoining);
    startNextConversions();
    if (m_runs.isEmpty())
        JoinTemporaries();
    else
        showConversionProgress();
}

// A conversion counts when the encoder ended well and wrote its temporary.
// An input that could be read only in part is kept, and the user is told
// what is missing. The encoder says how much it read: its temporary is
// padded to the input's stated length (frozen picture, silence) to keep
// the sound in step, so the temporary's own length tells nothing.
bool Job::keepConversion(int row, const RunOutcome &outcome, const QStringList &lastLines)
{
    const PlanStep &step = m_plan.conversions.at(row);
    if (!outcome.exitedCleanly() || !IsWrittenFile(step.target))
        return false;
    const std::optional<ProbeResult> converted = m_request.readMedia(step.target);
    if (!converted) {
        m_convertedSecondsKnown = false;
        return true;
    }
    if (!converted->hasPlayTime || !converted->hasVideo)
        return false;
    m_convertedSeconds += converted->seconds;
    const QList<InputReading> readings = ReadingsFromLines(lastLines);
    const QString warning =
        !readings.isEmpty() ? readingWarning(step.input, step.seconds, readings.first())
                            : ShortConversionWarning(step.input, step.seconds, converted->seconds);
    if (!warning.isEmpty())
        addWarning(warning);
    return true;
}

// The length stated is the longer of the row's and the encoder's own
// reading of the file's header.
QString Job::readingWarning(const QString &input, double rowSeconds, const InputReading &reading)
{
    return ShortConversionWarning(input, qMax(rowSeconds, reading.stated), reading.read);
}

void Job::endConversionStage()
{
    m_timer.stop();
    // The temporaries of the rows converted so far are removed with the
    // rest: nothing of theirs waits for a join any more.
    for (int row = 0; row < m_rowStates.size(); ++row) {
        if (m_rowStates.at(row) == RowState::WaitingForJoining)
            setRowState(row, RowState::Stopped);
    }
    if (m_state == Stopped) {
        // The state stays Stopped: the job ended in its conversion stage.
        m_result.kind = JobResult::Cancelled;
        end(m_result);
    } else {
        failConversion();
    }
}

void Job::failConversion()
{
    const PlanStep &step = m_plan.conversions.at(m_failedRow);
    QString text = RunFailureText(
        QCoreApplication::translate("Job", "The encoder could not convert \"%1\".").arg(step.input),
        m_failedOutcome, step.target, m_failedLines);
    const QString full = diskFullNote(step.target);
    if (!full.isEmpty())
        text = full + QLatin1Char('\n') + text;
    m_state = Idle;
    m_result.kind = JobResult::EncoderFailed;
    m_result.title = QCoreApplication::translate("Job", "Conversion Failed");
    m_result.message = text;
    m_result.file = step.input;
    end(m_result);
}
