// Start: the checks of the list and the output file, then the job.
#include "job.h"

#include "engine/jobview.h"
#include "engine/livesettings.h"
#include "engine/outputname.h"
#include "engine/startcheck.h"
#include "platform/messages.h"
#include "settings/optionbuilder.h"
#include "settings/workingselection.h"
#include "tasklist/tasklistmodel.h"

#include <QFileInfo>

void Job::imgStartClick()
{
    // A job, or the wind-down of a stopped one, is still in progress.
    if (m_active)
        return;
    if (!passesStartChecks())
        return;
    m_outputPath = m_view->outputFileText();
    m_active = true;
    m_view->DisableJobControls();
    m_frameSize = BuildVideoSize(m_selection->workingSelection(), m_view->profilePath());
    ConvertInputs();
}

bool Job::refuse(const StartRefusal &refusal)
{
    m_messages->inform(refusal.title, refusal.text);
    if (refusal.focus == StartRefusal::FocusOutputFile)
        m_view->focusOutputFile();
    return false;
}

static QString OverwriteQuestion()
{
    return QStringLiteral("The output file is existent. Do you want to continue and overwrite it? "
                          "\n\rClick \"No\" to specify another output filename.");
}

bool Job::passesStartChecks()
{
    if (m_tasks->count() < 2) {
        return refuse({QStringLiteral("Add More Videos"),
                       QStringLiteral("Please add at least 2 videos to the task for joining."),
                       StartRefusal::KeepFocus});
    }
    m_view->focusTaskList();
    const QString text = m_view->outputFileText();
    const QString folder = FolderPart(text);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        return refuse(
            {QStringLiteral("Output path does not exist"),
             QStringLiteral("The output path does not exist. Please specify another one."),
             StartRefusal::FocusOutputFile});
    }
    if (FileNamePart(text).isEmpty()) {
        return refuse({QStringLiteral("Icorrect Filename"),
                       QStringLiteral("Please specify the output file."),
                       StartRefusal::FocusOutputFile});
    }
    const QString output = WithOutputExtension(text, m_selection->outputExtension());
    if (output != text)
        m_view->setOutputFileText(output);

    const QStringList tempFolders = PossibleTempFolders(m_settings->tempDir(), m_programDir);
    if (auto refusal = CheckJobPaths(inputPaths(), output, tempFolders))
        return refuse(*refusal);
    if (auto refusal = CheckAudioBitrate(m_selection->workingSelection()))
        return refuse(*refusal);

    if (QFileInfo::exists(output) && m_settings->askBeforeOverwrite() &&
        !m_messages->ask(QStringLiteral("File Exists"), OverwriteQuestion())) {
        m_view->focusOutputFile();
        return false;
    }
    return true;
}
