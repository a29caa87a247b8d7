#include "jobrequest.h"

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
    profile.chapters = ChaptersChosen(selection, profilePath);
    profile.evenLoudness = LoudnessEvened(selection, profilePath);
    std::optional<UnusableValue> unusable = profile.pieces.unusable;
    if (!unusable)
        unusable = FindUnusableChoice(selection, profilePath);
    profile.unusableValue = RefusalOfUnusableValue(unusable, profilePath);
    return profile;
}

void ResolveJobRequest(JobRequest &request, const TaskListModel &tasks, const QString &profilePath,
                       const QString &outputText)
{
    request.rows = JobRowsOf(tasks);
    request.profile = ResolveJobProfile(request.selection, profilePath);
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
