#include "jobrequest.h"

#include "engine/automaticchoice.h"
#include "engine/copycheck.h"
#include "engine/inputfacts.h"
#include "engine/outputname.h"
#include "settings/outputchoices.h"
#include "tasklist/tasklistmodel.h"

#include <QFileInfo>

QStringList JobRequest::inputPaths() const
{
    QStringList paths;
    paths.reserve(rows.size());
    for (const JobRow &row : rows)
        paths << row.path;
    return paths;
}

QString JobRequest::outputExtension() const
{
    if (profile.copiesStreams())
        return rows.isEmpty() ? QString() : CopyOutputExtension(rows.first().path);
    return profileExtension;
}

QList<PlanInput> PlanInputsOf(const JobRequest &request)
{
    QList<PlanInput> inputs;
    inputs.reserve(request.rows.size());
    for (const JobRow &row : request.rows)
        inputs << PlanInput{row.path, row.seconds, row.facts};
    return inputs;
}

bool WantsChapters(const JobRequest &request)
{
    return request.profile.chapters && CarriesChapters(request.outputExtension());
}

QList<JobRow> JobRowsOf(const TaskListModel &tasks)
{
    QList<JobRow> rows;
    rows.reserve(tasks.count());
    for (int index = 0; index < tasks.count(); ++index) {
        JobRow row;
        const TaskRow &task = tasks.row(index);
        row.path = task.path;
        row.seconds = task.playSeconds();
        row.factsKnown = task.probed;
        row.facts = task.probed ? task.facts : FactsOfRow(tasks, index);
        rows << row;
    }
    return rows;
}

JobProfile ResolveJobProfile(const WorkingSelection &selection, const QString &profilePath)
{
    JobProfile profile;
    profile.path = profilePath;
    if (const auto file = ReadProfile(profilePath))
        profile.file = *file;
    profile.pieces = ReadEncoderPieces(selection, profilePath);
    const OutputChoices choices = ReadOutputChoices(selection, profilePath);
    profile.chapters = choices.chapters;
    profile.evenLoudness = choices.evenLoudness;
    const std::optional<UnusableValue> unusable =
        profile.pieces.unusable ? profile.pieces.unusable : choices.unusable;
    profile.unusableValue = RefusalOfUnusableValue(unusable, profilePath);
    return profile;
}

namespace {

// A profile that chooses for the inputs decides at each Start, from the
// list as it stands: the inputs' streams copied, or the profile it names.
void chooseForInputs(JobRequest &request, const QString &automaticPath)
{
    const AutomaticChoice choice = ChooseForInputs(request.programDir, automaticPath,
                                                   request.selection, PlanInputsOf(request));
    request.profileChoice = choice.reason;
    request.profileChoiceDetail = choice.detail;
    if (choice.copy) {
        request.profile = ResolveJobProfile(request.selection, automaticPath);
        request.profile.file.copiesStreams = true;
        request.profile.pieces.copyStreams = true;
        request.profile.pieces.unusable.reset();
        request.profile.unusableValue.reset();
        request.profile.evenLoudness = false;
        return;
    }
    request.selection = choice.selection;
    if (const std::optional<OutputProfile> file = ReadProfile(choice.profilePath))
        request.profileExtension = file->outputExtension;
    request.profile = ResolveJobProfile(request.selection, choice.profilePath);
}

} // namespace

void ResolveJobRequest(JobRequest &request, const TaskListModel &tasks, const QString &profilePath,
                       const QString &outputText)
{
    request.rows = JobRowsOf(tasks);
    if (ProfileChoosesForInputs(profilePath) && !request.rows.isEmpty()) {
        chooseForInputs(request, profilePath);
    } else {
        request.profile = ResolveJobProfile(request.selection, profilePath);
    }
    request.outputPath =
        OutputPathAtStart(outputText, request.outputExtension(), request.rows.size());
}

QString OutputPathAtStart(const QString &outputText, const QString &extension, int rowCount)
{
    const QString folder = FolderPart(outputText);
    if (rowCount < 2 || folder.isEmpty() || !QFileInfo(folder).isDir() ||
        FileNamePart(outputText).isEmpty())
        return outputText;
    return WithOutputExtension(outputText, extension);
}
