// The conversion stage: every row into a temporary of one common format,
// several rows at once, in the job's own folder.
#include "job.h"

#include "contract/encoderlines.h"
#include "engine/jobfailure.h"
#include "engine/jobview.h"
#include "engine/outputname.h"
#include "engine/tempfiles.h"
#include "platform/messages.h"
#include "progressparser.h"
#include "settings/livesettings.h"
#include "tasklist/tasklistmodel.h"

#include <QFileInfo>

void Job::ConvertInputs()
{
    showConversionPanel();
    m_state = Running;
    m_elapsed = 0;
    m_remaining = 0;
    m_timer.start();
    m_doneSeconds = 0;
    m_convertedSeconds = 0;
    m_convertedSecondsKnown = true;
    m_failedRow = -1;
    m_encoderStarted = false;
    m_warnings.clear();
    m_positionText.clear();
    m_plan = JobPlan();
    if (copiesStreams()) {
        // Nothing to convert, so no folder of temporaries either; only a
        // chapter list needs one.
        if (wantsChapters() && !makeWorkFolder())
            return;
        m_plan = makePlan(wantsChapters() ? m_workFolder.path() : QString());
        JoinTemporaries();
        return;
    }
    if (!makeWorkFolder())
        return;
    m_plan = makePlan(m_workFolder.path());
    m_conversionsAtOnce = qMax(1, m_settings->conversionsAtOnce());
    m_nextRow = 0;
    startNextConversions();
}

bool Job::makeWorkFolder()
{
    const TempFolderChoice choice = ChooseTempFolder(m_settings->tempDir(), m_programDir);
    if (choice.succeeded() && m_workFolder.create(choice.folder))
        return true;
    m_timer.stop();
    const QStringList failed =
        choice.succeeded() ? QStringList{choice.folder} : choice.failedFolders;
    m_messages->inform(QStringLiteral("Temp Folder"),
                       QStringLiteral("Unable to create the temporary folder \"%1\".")
                           .arg(failed.join(QStringLiteral("\" or \""))));
    m_state = Idle;
    finishJob(false, true);
    return false;
}

void Job::showConversionPanel()
{
    m_view->setProcessTitle(QStringLiteral("Prepare (Converting):"));
    m_view->setConvertingFile(QString());
    m_view->setConvertingFileVisible(true);
    m_view->setElapsedText(QString());
    m_view->setRemainingText(QString());
    showCurrentProgress(0);
    showTotalProgress(0);
    m_view->showProgressPanel(true);
}

void Job::startNextConversions()
{
    while (m_runs.size() < m_conversionsAtOnce && m_nextRow < m_plan.conversions.size()) {
        if (m_nextRow > 0)
            showCurrentProgress(0);
        convertRow(m_nextRow++);
    }
}

void Job::convertRow(int row)
{
    setRowStatus(row, QStringLiteral("Converting"));
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
        label += QStringLiteral(" +%1 more").arg(m_runs.size() - 1);
    m_view->setConvertingFile(label);
    m_view->setEncoderOutput(slowest->lastOutputText());
    if (slowest->chunkCount() <= UnparsedLeadingChunks && m_runs.size() == 1)
        return; // the bars stay as they were until a position is known
    ProgressParams params;
    params.currentSpan = step.seconds;
    params.totalSpan = m_plan.totalSeconds;
    params.doneSeconds = m_doneSeconds + running - slowest->position();
    const ProgressBars bars = ComputeBars(slowest->position(), params, m_bars);
    if (bars.current != m_bars.current)
        showCurrentProgress(bars.current);
    if (bars.total != m_bars.total)
        showTotalProgress(bars.total);
}

void Job::onConversionEnded(EncoderRun *run, const RunOutcome &outcome)
{
    const int row = run->property("row").toInt();
    const QStringList lastLines = run->lastLines();
    m_view->setEncoderOutput(run->lastOutputText());
    m_positionText = run->positionText();
    m_runs.removeOne(run);
    run->deleteLater();

    if (m_state == Running && outcome.kind == RunOutcome::FailedToStart) {
        failToStartEncoder(QStringLiteral("Failed"), row);
        return;
    }
    if (m_state == Running && m_failedRow < 0 && !keepConversion(row, outcome, lastLines)) {
        // An input the encoder failed on must not pass as converted: joining
        // without it would give an output that silently lacks a part.
        m_failedRow = row;
        m_failedOutcome = outcome;
        m_failedLines = lastLines;
        setRowStatus(row, QStringLiteral("Failed"));
        stopAllRuns();
    }
    if (m_state == Stopped || m_failedRow >= 0) {
        if (m_failedRow != row && outcome.kind == RunOutcome::Stopped)
            setRowStatus(row, stoppedStatusText());
        if (m_runs.isEmpty())
            endConversionStage();
        return;
    }
    m_doneSeconds += m_plan.conversions.at(row).seconds;
    setRowStatus(row, QStringLiteral("Waiting for joining"));
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
    const std::optional<ProbeResult> converted = m_readMedia(step.target);
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
        m_warnings << warning;
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
    for (int row = 0; row < m_tasks->count(); ++row) {
        if (m_tasks->status(row) == QLatin1String("Waiting for joining"))
            setRowStatus(row, stoppedStatusText());
    }
    if (m_state == Stopped)
        cancelConversion();
    else
        failConversion();
}

void Job::cancelConversion()
{
    m_workFolder.remove();
    m_messages->inform(QStringLiteral("Cancel"), QStringLiteral("The Coversion is canceled."));
    // The state stays Stopped: the job ended in its conversion stage.
    finishJob(false, true);
}

void Job::failConversion()
{
    const PlanStep &step = m_plan.conversions.at(m_failedRow);
    QString text =
        RunFailureText(QStringLiteral("The encoder could not convert \"%1\".").arg(step.input),
                       m_failedOutcome, step.target, m_failedLines);
    const QString full = diskFullNote(step.target);
    if (!full.isEmpty())
        text = full + QLatin1Char('\n') + text;
    m_workFolder.remove();
    m_messages->inform(QStringLiteral("Conversion Failed"), text);
    m_state = Idle;
    finishJob(false, true);
}
