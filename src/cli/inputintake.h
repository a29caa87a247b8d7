#pragma once

#include <QString>
#include <QStringList>

class TaskList;

// The INPUT arguments of join, taken into the task list by the window's own
// start-up intake (files of the supported types, folders as "Add Dir" adds
// them, relative paths made full). Where the window skips an entry without a
// word, the command line refuses it instead: a script must not join fewer
// videos than it named.

struct ExpandedInputs {
    QStringList entries;  // files and folders, in order
    QStringList problems; // list files that could not be read
};

// A list file ("@FILE", or a name ending in ".tmp" as the window's command
// line takes it) stands for its lines, read as the window reads a list file:
// UTF-8 text, one entry a line; blank lines are skipped. Relative entries are
// taken from the working folder, as the window takes them.
ExpandedInputs ExpandInputs(const QStringList &inputs);

// Why the window's intake would pass over the entry (it is neither file nor
// folder, or a file of a type the program does not take); empty when taken.
QString EntryProblem(const QString &entry);

// The folders among the entries that hold no input file.
QStringList FoldersWithoutInputs(const QStringList &entries);

// Adds the entries to the task list in order, each as the window's start-up
// intake adds it; duplicates are asked about, files without a play time are
// reported and left out. Returns when every entry is listed or refused.
void AddEntries(TaskList &tasks, const QStringList &entries);
