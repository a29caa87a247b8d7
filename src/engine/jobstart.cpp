// Start: the checks of the list and the output file, then the job.
#include "job.h"

#include "contract/chapterlist.h"
#include "engine/copycheck.h"
#include "engine/inputfacts.h"
#include "engine/jobview.h"
#include "engine/outputname.h"
#include "engine/spacecheck.h"
#include "engine/startcheck.h"
#include "engine/tempfiles.h"
#include "platform/messages.h"
#include "settings/livesettings.h"
#include "settings/optionbuilder.h"
#include "settings/outputchoices.h"
#include "settings/profiles.h"
#include "settings/workingselection.h"
#include "tasklist/tasklistmodel.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>

void Job::imgStartClick()
{
    // A job, or the wind-down of a stopped one, is still in progress.
    if (m_active)
        return;
    if (!passesStartChecks())
        return;
    m_outputPath = m_view->outputFileText();
    m_outputAtStart = IdentityOf(m_outputPath);
    m_outputRefused = false;
    RemoveLeftoverPartialOutputs(FolderPart(m_outputPath));
    m_active = true;
    m_view->DisableJobControls();
    ConvertInputs();
}

QList<PlanInput> Job::planInputs() const
{
    QList<PlanInput> inputs;
    for (int row = 0; row < m_tasks->count(); ++row) {
        PlanInput input;
        input.path = m_tasks->caption(row);
        input.seconds = playTimeOfRow(row);
        input.facts = FactsOfInput(*m_tasks, input.path);
        inputs << input;
    }
    return inputs;
}

JobPlan Job::makePlan(const QString &workFolder) const
{
    const WorkingSelection selection = m_selection->workingSelection();
    PlanSettings settings;
    // Start refuses a size that cannot be read; the plan rebuilt for the
    // join, after the conversions, does not use it.
    if (const auto frame = BuildFrameSize(selection, m_view->profilePath()))
        settings.frameSize = *frame;
    settings.pictureCodecOptions = BuildPictureCodecOptions(selection, m_view->profilePath());
    settings.joinOptions = BuildJoinOptions(selection, m_view->profilePath());
    settings.timedTemporaries = NeedsTimedTemporaries(selection, m_view->profilePath());
    settings.frameRate = BuildFrameRate(selection, m_view->profilePath());
    settings.evenLoudness = LoudnessEvened(selection, m_view->profilePath());
    if (wantsChapters()) {
        for (const QString &path : inputPaths())
            settings.chapterTitles << ChapterTitleOf(path);
    }
    settings.conversionsAtOnce = m_settings->conversionsAtOnce();
    settings.cores = qMax(1, QThread::idealThreadCount());
    settings.workFolder = workFolder;
    settings.copyStreams = copiesStreams();
    settings.finalTarget = finalTarget();
    settings.joinTarget = PartialOutputPath(settings.finalTarget);
    return MakeJobPlan(planInputs(), settings);
}

SpaceNeed Job::spaceNeed() const
{
    const WorkingSelection selection = m_selection->workingSelection();
    SpaceNeed need;
    for (int row = 0; row < m_tasks->count(); ++row)
        need.seconds += qMax(0.0, playTimeOfRow(row));
    need.videoKbit = selection.videoBitrate.toDouble();
    if (copiesStreams()) {
        // No temporaries, and an output about as large as the inputs.
        need.temporaries = false;
        need.videoKbit = CopiedKbitPerSecond(inputPaths(), need.seconds);
    }
    return need;
}

JobPlan Job::previewPlan() const
{
    const QString tempFolder = PreferredTempFolder(m_settings->tempDir(), m_programDir);
    return makePlan(tempFolder +
                    QStringLiteral("brelvane-job-%1-…/").arg(QCoreApplication::applicationPid()));
}

bool Job::wantsChapters() const
{
    return ChaptersChosen(m_selection->workingSelection(), m_view->profilePath()) &&
           CarriesChapters(outputExtension());
}

bool Job::copiesStreams() const
{
    return ProfileCopiesStreams(m_view->profilePath());
}

QString Job::outputExtension() const
{
    if (copiesStreams() && m_tasks->count() > 0)
        return CopyOutputExtension(m_tasks->caption(0));
    return m_selection->outputExtension();
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
    const QString output = WithOutputExtension(text, outputExtension());
    if (output != text)
        m_view->setOutputFileText(output);
    m_outputPath = output;

    const QStringList tempFolders = PossibleTempFolders(m_settings->tempDir(), m_programDir);
    if (auto refusal = CheckJobPaths(inputPaths(), output, tempFolders))
        return refuse(*refusal);
    if (auto refusal = CheckOutputPlace(output, tempFolders))
        return refuse(*refusal);
    if (auto refusal = CheckAudioBitrate(m_selection->workingSelection()))
        return refuse(*refusal);
    if (auto refusal = CheckEncoderValues(m_selection->workingSelection(), m_view->profilePath()))
        return refuse(*refusal);
    if (auto refusal = CheckFreeSpace(spaceNeed(), tempFolders.first(), FolderPart(output)))
        return refuse(*refusal);
    if (copiesStreams()) {
        if (auto refusal = CheckCopyJoin(planInputs(), ReencodingProfile(m_programDir)))
            return refuse(*refusal);
    }

    if (QFileInfo::exists(output) && m_settings->askBeforeOverwrite() &&
        !m_messages->ask(QStringLiteral("File Exists"), OverwriteQuestion())) {
        m_view->focusOutputFile();
        return false;
    }
    return true;
}
