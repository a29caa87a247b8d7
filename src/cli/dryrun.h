#pragma once

#include <QString>
#include <QStringList>

class LiveSettings;
class SelectionSource;
class TaskListModel;

// What a job of these rows would hand the encoder, for --dry-run.
struct DryRunJob {
    const TaskListModel *tasks = nullptr;
    const LiveSettings *settings = nullptr;
    const SelectionSource *selection = nullptr;
    QString outputPath; // as Start left it, the extension appended
    QString profilePath;
    QString programDir;
    QString encoderPath;
};

// The encoder command lines the job would run, one a line: the quoted
// encoder path and the command line text, for every row's conversion and
// then the joining, built by the functions the job builds them with.
// Nothing is created or run, so the temporaries are named in the folder the
// job tries first, and the joining target is the output file, or under the
// rename policy the name the job would take instead of an existing one.
QStringList DryRunCommandLines(const DryRunJob &job);
