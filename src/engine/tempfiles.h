#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The temporary folder of a job and the temporaries the job writes into it.

// The folder the program falls back on: the program directory's "temp".
QString DefaultTempFolder(const QString &programDir);

// The folder the Temp Folder text names, with a trailing "/"; an empty text
// means the default folder.
QString PreferredTempFolder(const QString &tempDirText, const QString &programDir);

// The folders a job may write its temporaries to, as far as can be told
// without creating anything: the preferred folder, and the default one too
// while the preferred folder does not exist (creating it may fail).
QStringList PossibleTempFolders(const QString &tempDirText, const QString &programDir);

// Removes the job folders that ended runs left behind in the folders a job of
// this Temp Folder text may use: the preferred one and the default one (an
// earlier job may have fallen back on it). The number removed.
int RemoveLeftoverJobFoldersFor(const QString &tempDirText, const QString &programDir);

// Where a job puts its temporaries, or the folders that could not be made.
struct TempFolderChoice {
    QString folder;            // with a trailing "/"; empty when none could be made
    QStringList failedFolders; // the folders that could not be created, in the order tried
    bool succeeded() const { return !folder.isEmpty(); }
};

// The preferred folder, created (one level) when missing; when that fails the
// default folder, created when missing.
TempFolderChoice ChooseTempFolder(const QString &tempDirText, const QString &programDir);

// The temporary of a row: the folder + the row number + ".avi".
QString TemporaryPath(const QString &tempFolder, int row);
// The temporaries of rows 0 to rowCount - 1.
QStringList TemporaryPaths(const QString &tempFolder, int rowCount);

// A file the encoder has written: it exists and is not empty.
bool IsWrittenFile(const QString &path);
