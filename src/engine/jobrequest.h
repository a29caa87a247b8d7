#pragma once

#include "engine/jobplan.h"
#include "engine/joincheck.h"
#include "engine/startcheck.h"
#include "settings/encoderpieces.h"
#include "settings/profiles.h"
#include "settings/workingselection.h"
#include "tasklist/mediaprobe.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

class TaskListModel;

// One row of a job: the input and what is known of it.
struct JobRow {
    QString path;
    double seconds = 0; // its exact play time (-1 when it could not be read)
    ProbeResult facts;
    // The facts were read when the row was taken in (not read again at Start).
    bool factsKnown = false;
};

// The selected profile as a job uses it, read once at Start.
struct JobProfile {
    QString path;
    OutputProfile file; // the profile file as read; copiesStreams says a copy join
    // The values the working selection picks from it, which every option
    // the job hands to the encoder is made of.
    EncoderPieces pieces;
    // Its choices beyond the codecs: a chapter per video (where the output's
    // container keeps chapters), and every video's sound evened out.
    bool chapters = false;
    bool evenLoudness = false;
    // A value of the working selection the encoder would not take, told as
    // Start refuses it.
    std::optional<StartRefusal> unusableValue;

    bool copiesStreams() const { return file.copiesStreams; }
};

// What to do with a file found at the output path.
struct OverwriteRule {
    bool ask = true;     // ask at Start; ask again about one that appears later
    bool rename = false; // keep it and write the first free renamed name
};

// The questions a job may have for the user. An empty one cannot be asked.
struct JobQuestions {
    // Start: the output file exists; true overwrites it.
    std::function<bool(const QString &output)> overwrite;
    // A file appeared at the output path while the job ran: true overwrites
    // it, false keeps it and saves the result as freeName.
    std::function<bool(const QString &output, const QString &freeName)> replaceAppeared;
};

// Everything a job is, fixed when Start is clicked: edits made afterwards
// belong to the next job.
struct JobRequest {
    QList<JobRow> rows;
    // The output file's text as Start makes it (the profile's extension
    // appended when the text names a file in an existing folder).
    QString outputPath;
    OverwriteRule overwrite;
    WorkingSelection selection;
    JobProfile profile;
    // "." + the profile's output type, as the Output Settings loaded it.
    QString profileExtension;
    QString tempDir;    // the temp folder's text, as the settings show it
    QString programDir; // ends with "/"
    int conversionsAtOnce = 1;
    // The encoder to run, and how what it wrote is read back.
    QString encoderPath;
    MediaReader readMedia = LibraryMediaReader();
    JobQuestions questions;
    // What a profile that chooses for the inputs chose, and why; the values
    // that differ in detail. Both empty for any other profile.
    QString profileChoice;
    QString profileChoiceDetail;

    QStringList inputPaths() const;
    // The output's extension: the first input's for a copy join, the
    // profile's otherwise.
    QString outputExtension() const;
};

// The rows as the job's plan takes them.
QList<PlanInput> PlanInputsOf(const JobRequest &request);

// The join marks where each video begins: the profile asks for it and the
// output's container keeps chapters.
bool WantsChapters(const JobRequest &request);

// The rows of the task list as a job takes them: the one place that reads
// the list's model for a job.
QList<JobRow> JobRowsOf(const TaskListModel &tasks);

// The profile at profilePath as a job with this working selection uses it.
JobProfile ResolveJobProfile(const WorkingSelection &selection, const QString &profilePath);

// Fills in what Start takes from the task list and the profile file: the
// rows, the resolved profile and the output path. request's selection,
// profileExtension and programDir are set before.
void ResolveJobRequest(JobRequest &request, const TaskListModel &tasks, const QString &profilePath,
                       const QString &outputText);

// The output file's text at Start: the extension is appended only to a text
// that names a file in an existing folder, and only when there is a job to
// start (at least two rows).
QString OutputPathAtStart(const QString &outputText, const QString &extension, int rowCount);
