// Start: the checks of the list and the output file, then the job.
#include "job.h"

#include "engine/copycheck.h"
#include "engine/firstvideo.h"
#include "engine/inputfacts.h"
#include "engine/jobview.h"
#include "engine/outputname.h"
#include "engine/spacecheck.h"
#include "engine/startcheck.h"
#include "engine/tempfiles.h"
#include "platform/messages.h"
#include "settings/livesettings.h"
#include "settings/optionbuilder.h"
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
    const WorkingSelection selection = jobSelection();
    const QString profilePath = jobProfilePath();
    const QList<PlanInput> inputs = planInputs();
    PlanSettings settings;
    // Start refuses a size or rate that cannot be read; the plan rebuilt
    // for the join, after the conversions, does not use them.
    const JobPictureFormat format = PictureFormatOfJob(
        selection, profilePath, inputs.isEmpty() ? ProbeResult() : inputs.first().facts);
    if (format.frame)
        settings.frameSize = *format.frame;
    if (format.rate)
        settings.frameRate = *format.rate;
    settings.pictureCodecOptions = BuildPictureCodecOptions(selection, profilePath);
    settings.joinOptions =
        copiesStreams() ? CopyJoinOptions() : BuildJoinOptions(selection, profilePath);
    settings.timedTemporaries = NeedsTimedTemporaries(selection, profilePath);
    settings.conversionsAtOnce = m_settings->conversionsAtOnce();
    settings.cores = qMax(1, QThread::idealThreadCount());
    settings.workFolder = workFolder;
    settings.copyStreams = copiesStreams();
    settings.finalTarget = finalTarget();
    settings.joinTarget = PartialOutputPath(settings.finalTarget);
    return MakeJobPlan(inputs, settings);
}

SpaceNeed Job::spaceNeed() const
{
    const WorkingSelection selection = jobSelection();
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

bool Job::copiesStreams() const
{
    if (m_automatic)
        return m_automatic->copy;
    return ProfileCopiesStreams(m_view->profilePath());
}

QString Job::jobProfilePath() const
{
    return m_automatic && !m_automatic->copy ? m_automatic->profilePath : m_view->profilePath();
}

WorkingSelection Job::jobSelection() const
{
    return m_automatic && !m_automatic->copy ? m_automatic->selection
                                             : m_selection->workingSelection();
}

// An automatic profile decides at each Start, from the list as it stands.
void Job::chooseForInputs()
{
    m_automatic.reset();
    if (!ProfileChoosesForInputs(m_view->profilePath()))
        return;
    m_automatic = ChooseForInputs(m_programDir, m_view->profilePath(), planInputs());
    m_view->showProfileChoice(m_automatic->reason, m_automatic->detail);
}

QString Job::outputExtension() const
{
    if (copiesStreams() && m_tasks->count() > 0)
        return CopyOutputExtension(m_tasks->caption(0));
    if (m_automatic) {
        const std::optional<OutputProfile> profile = ReadProfile(m_automatic->profilePath);
        return profile ? profile->outputExtension : QString();
    }
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
    chooseForInputs();
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
    if (auto refusal = CheckAudioBitrate(jobSelection()))
        return refuse(*refusal);
    // A copy hands the encoder no value of the selection.
    if (!copiesStreams()) {
        if (auto refusal = CheckEncoderValues(jobSelection(), jobProfilePath()))
            return refuse(*refusal);
        if (auto refusal = CheckFirstVideo(jobSelection(), jobProfilePath(), m_tasks->caption(0),
                                           FactsOfInput(*m_tasks, m_tasks->caption(0))))
            return refuse(*refusal);
    }
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
