// The joining stage: all temporaries, in list order, into a partial output;
// the check of what it wrote; then the end of the job.
#include "job.h"

#include "contract/encoderlines.h"
#include "engine/copycheck.h"
#include "engine/jobfailure.h"
#include "engine/jobview.h"
#include "engine/outputname.h"
#include "engine/tempfiles.h"
#include "platform/messages.h"
#include "platform/poweroff.h"
#include "platform/shellopener.h"
#include "settings/livesettings.h"
#include "settings/workingselection.h"
#include "tasklist/tasklistmodel.h"
#include "tasklist/timetext.h"

#include <QFile>
#include <QFileInfo>

void Job::JoinTemporaries()
{
    m_view->setProcessTitle(QStringLiteral("Final Step: Joining all files..."));
    m_view->setConvertingFileVisible(false);
    m_view->showProgressPanel(true);
    m_state = Running;
    setAllRowStatuses(QStringLiteral("Joining"));
    // The rename policy looks at the output path as it is now, not as it
    // was when the job started.
    const QString target = finalTarget();
    if (target != m_plan.finalTarget)
        m_plan = makePlan(m_workFolder.path());
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
    failJoining(QStringLiteral("The list of chapters could not be written to \"%1\".")
                    .arg(m_plan.chapterListPath));
    return false;
}

QString Job::finalTarget() const
{
    if (QFileInfo::exists(m_outputPath) && m_settings->renameOutput())
        return FirstFreeRenamedPath(m_outputPath, outputExtension());
    return m_outputPath;
}

void Job::showJoiningProgress(int currentPercent, int totalPercent)
{
    if (!m_runs.isEmpty())
        m_view->setEncoderOutput(m_runs.first()->lastOutputText());
    showCurrentProgress(currentPercent);
    showTotalProgress(totalPercent);
}

void Job::onJoiningEnded(EncoderRun *run, const RunOutcome &outcome)
{
    const QStringList lastLines = run->lastLines();
    m_view->setEncoderOutput(run->lastOutputText());
    m_runs.removeOne(run);
    run->deleteLater();
    const QString partial = m_plan.join.target;
    if (m_state == Stopped) {
        cancelJoining();
    } else if (outcome.kind == RunOutcome::FailedToStart) {
        failToStartEncoder(QStringLiteral("Failed"), -1);
    } else if (!outcome.exitedCleanly() || !IsWrittenFile(partial)) {
        QString text =
            RunFailureText(QStringLiteral("The encoder could not join the videos into \"%1\".")
                               .arg(m_plan.finalTarget),
                           outcome, partial, lastLines);
        const QString full = diskFullNote(partial);
        failJoining(full.isEmpty() ? text : full + QLatin1Char('\n') + text);
    } else if (const QString problem = joinedOutputProblem(); !problem.isEmpty()) {
        failJoining(problem);
    } else if (!placeOutput(partial)) {
        failJoining(QStringLiteral("The joined video could not be moved to \"%1\".")
                        .arg(m_plan.finalTarget));
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
    if (!copiesStreams())
        return;
    const QStringList inputs = inputPaths();
    for (const InputReading &reading : ReadingsFromLines(lastLines)) {
        if (reading.input >= inputs.size())
            continue;
        const QString &input = inputs.at(reading.input);
        ProbeResult facts;
        const double rowSeconds = m_tasks->factsOf(input, facts) ? facts.seconds : 0;
        const QString warning = readingWarning(input, rowSeconds, reading);
        if (!warning.isEmpty())
            m_warnings << warning;
    }
}

// The joined file must hold what was joined: a failure that wrote a short
// file, or a disk that filled up, must never pass as success.
QString Job::joinedOutputProblem() const
{
    const std::optional<ProbeResult> found = m_readMedia(m_plan.join.target);
    if (!found)
        return QString();
    JoinExpectation expected;
    // A copy join has no temporaries to measure: its parts are the inputs,
    // each as long as the copy lays it down.
    double copied = 0;
    for (int row = 0; row < m_tasks->count(); ++row) {
        ProbeResult facts;
        const bool known = m_tasks->factsOf(m_tasks->caption(row), facts);
        expected.sound = expected.sound || (known && facts.hasAudio);
        copied += known ? CopiedSeconds(facts) : playTimeOfRow(row);
    }
    const bool converted = !m_plan.conversions.isEmpty() && m_convertedSecondsKnown;
    expected.seconds = converted         ? m_convertedSeconds
                       : copiesStreams() ? copied
                                         : m_plan.totalSeconds;
    const QString problem = JoinedOutputProblem(*found, expected);
    if (problem.isEmpty())
        return QString();
    const QString full = diskFullNote(m_plan.join.target);
    return (full.isEmpty() ? QString() : full + QLatin1Char('\n')) + problem;
}

void Job::cancelJoining()
{
    m_timer.stop();
    setAllRowStatuses(stoppedStatusText());
    // The partial output goes with the temporaries; an earlier file at the
    // output path was never touched.
    cleanUp();
    m_messages->inform(QStringLiteral("Cancel"), QStringLiteral("The Joining is canceled."));
    m_state = Idle;
    finishJob(false, true);
}

void Job::failJoining(const QString &text)
{
    m_timer.stop();
    setAllRowStatuses(QStringLiteral("Failed"));
    cleanUp();
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
    // The last tick may have come before the bar was full.
    m_remaining = 0;
    m_view->setRemainingText(SecondsToTimeText(0));
    setAllRowStatuses(QStringLiteral("Complete"));
    cleanUp();
    m_state = Idle;
    for (const QString &warning : std::as_const(m_warnings))
        m_messages->inform(QStringLiteral("Damaged Input"), warning);
    actAfterCompletion();
}

void Job::actAfterCompletion()
{
    if (m_settings->turnOffWhenDone()) {
        // Only a checked success gets here: a failed job never turns the
        // computer off.
        m_view->askToPowerOff([this](bool powerOff) {
            if (!powerOff) {
                tellCompletion();
                return;
            }
            m_powerOff->powerOff();
            finishJob(true, false);
            m_view->closeProgram();
        });
        return;
    }
    if (m_settings->exitWhenDone()) {
        finishJob(true, false);
        m_view->closeProgram();
        return;
    }
    tellCompletion();
}

void Job::tellCompletion()
{
    m_messages->inform(QStringLiteral("Complete"),
                       QStringLiteral("The joining is completed successfully."));
    if (m_settings->openFolderWhenDone())
        m_shell->open(OutputFolderToOpen(m_plan.finalTarget));
    finishJob(true, true);
}
