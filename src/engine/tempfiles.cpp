#include "tempfiles.h"

#include "engine/jobfolder.h"
#include "platform/filepaths.h"
#include "settings/preferences.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString DefaultTempFolder(const QString &programDir)
{
    return DefaultTempDir(programDir);
}

QString PreferredTempFolder(const QString &tempDirText, const QString &programDir)
{
    const QString folder = AddTrailingSeparator(tempDirText);
    return folder.isEmpty() ? DefaultTempFolder(programDir) : folder;
}

QStringList PossibleTempFolders(const QString &tempDirText, const QString &programDir)
{
    const QString preferred = PreferredTempFolder(tempDirText, programDir);
    const QString fallback = DefaultTempFolder(programDir);
    if (QFileInfo(preferred).isDir() || preferred == fallback)
        return {preferred};
    return {preferred, fallback};
}

int RemoveLeftoverJobFoldersFor(const QString &tempDirText, const QString &programDir)
{
    const QString preferred = PreferredTempFolder(tempDirText, programDir);
    const QString fallback = DefaultTempFolder(programDir);
    int removed = RemoveLeftoverJobFolders(preferred);
    if (fallback != preferred)
        removed += RemoveLeftoverJobFolders(fallback);
    return removed;
}

static bool MakeFolder(const QString &folder)
{
    return QFileInfo(folder).isDir() || QDir().mkdir(folder);
}

TempFolderChoice ChooseTempFolder(const QString &tempDirText, const QString &programDir)
{
    TempFolderChoice choice;
    for (const QString &folder : PossibleTempFolders(tempDirText, programDir)) {
        if (MakeFolder(folder)) {
            choice.folder = folder;
            return choice;
        }
        choice.failedFolders << folder;
    }
    return choice;
}

QString TemporaryPath(const QString &tempFolder, int row)
{
    return tempFolder + QString::number(row) + QStringLiteral(".avi");
}

QStringList TemporaryPaths(const QString &tempFolder, int rowCount)
{
    QStringList all;
    for (int row = 0; row < rowCount; ++row)
        all << TemporaryPath(tempFolder, row);
    return all;
}

bool IsWrittenFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.size() > 0;
}
