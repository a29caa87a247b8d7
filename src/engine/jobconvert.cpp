// The conversion stage: every row, top to bottom, into a temporary AVI of
// one common format.
#include "job.h"

#include "engine/commandline.h"
#include "engine/inputfacts.h"
#include "engine/jobfailure.h"
#include "engine/jobview.h"
#include "engine/livesettings.h"
#include "engine/outputname.h"
#include "platform/messages.h"
#include "settings/optionbuilder.h"
#include "settings/workingselection.h"
#include "tasklist/tasklistmodel.h"

void Job::ConvertInputs()
{
    showConversionPanel();
    m_state = Running;
    m_elapsed = 0;
    m_remaining = 0;
    m_timer.start();

    m_totalSpan = 0;
    for (int row = 0; row < m_tasks->count(); ++row)
        m_totalSpan += playTimeOfRow(row);
    m_doneSeconds = 0;
    m_positionText.clear();

    const TempFolderChoice choice = ChooseTempFolder(m_settings->tempDir(), m_programDir);
    if (!choice.succeeded()) {
        m_timer.stop();
        m_messages->inform(QStringLiteral("Temp Folder"),
                           QStringLiteral("Unable to create the temporary folder \"%1\".")
                               .arg(choice.failedFolders.join(QStringLiteral("\" or \""))));
        m_state = Idle;
        finishJob(false, true);
        return;
    }
    m_temporaries.reset(choice.folder);
    m_row = 0;
    convertRow();
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

void Job::convertRow()
{
    ltvItemData record;
    m_tasks->GetItemData(m_row, WholeRowSelector, record);
    setRowStatus(m_row, QStringLiteral("Converting"));
    m_view->setConvertingFile(FileNamePart(record.Caption));

    const QString temporary = m_temporaries.pathOf(m_row);
    m_temporaries.markWriting(m_row);
    ProgressParams params;
    params.currentSpan = record.Seconds[0];
    params.totalSpan = m_totalSpan;
    params.doneSeconds = m_doneSeconds;
    params.totalOffset = 0;
    params.forwardOnly = false;
    startRun(ConvertCommandLine(record.Caption, temporary, m_frameSize,
                                FactsOfInput(*m_tasks, record.Caption)),
             params, &Job::onConversionEnded);
}

void Job::onConversionEnded(const RunOutcome &outcome)
{
    takeRunEnd();
    if (m_state == Stopped) {
        cancelConversion();
        return;
    }
    if (outcome.kind == RunOutcome::FailedToStart) {
        failToStartEncoder(QStringLiteral("Failed"), m_row);
        return;
    }
    // An input the encoder failed on must not pass as converted: joining
    // without it would give an output that silently lacks a part.
    if (!outcome.exitedCleanly() || !IsWrittenFile(m_temporaries.pathOf(m_row))) {
        failConversion(outcome);
        return;
    }
    m_doneSeconds += playTimeOfRow(m_row);
    setRowStatus(m_row, QStringLiteral("Waiting for joining"));
    if (m_row + 1 < m_tasks->count()) {
        showCurrentProgress(0);
        ++m_row;
        convertRow();
        return;
    }
    JoinTemporaries(BuildEncoderOptions(m_selection->workingSelection(), m_view->profilePath()));
}

void Job::cancelConversion()
{
    m_timer.stop();
    setRowStatus(m_row, QStringLiteral("Stop"));
    m_temporaries.deleteAll();
    m_messages->inform(QStringLiteral("Cancel"), QStringLiteral("The Coversion is canceled."));
    // The state stays Stopped: the job ended in its conversion stage.
    finishJob(false, true);
}

void Job::failConversion(const RunOutcome &outcome)
{
    m_timer.stop();
    setRowStatus(m_row, QStringLiteral("Failed"));
    const QString input = m_tasks->caption(m_row);
    const QString text =
        RunFailureText(QStringLiteral("The encoder could not convert \"%1\".").arg(input), outcome,
                       m_temporaries.pathOf(m_row), m_lastLines);
    m_temporaries.deleteAll();
    m_messages->inform(QStringLiteral("Conversion Failed"), text);
    m_state = Idle;
    finishJob(false, true);
}
