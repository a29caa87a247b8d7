#include "outputname.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

#include "tasklist/inputtypes.h"

#include <QFileInfo>

QString FolderPart(const QString &path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString FileNamePart(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString WithOutputExtension(const QString &outputText, const QString &outputExtension)
{
    if (LowerCasedExtension(outputText) == outputExtension.toLower())
        return outputText;
    return outputText + outputExtension;
}

static bool NamesSomething(const QString &path)
{
    // A dangling link names nothing that exists, yet writing to it would
    // create its target somewhere else.
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString FirstFreeRenamedPath(const QString &outputPath, const QString &outputExtension)
{
    const QString stem = FolderPart(outputPath) + StripExtension(FileNamePart(outputPath));
    for (int index = 1;; ++index) {
        const QString candidate =
            stem + QLatin1Char('_') + QString::number(index) + outputExtension;
        if (!NamesSomething(candidate))
            return candidate;
    }
}

QString OutputFolderToOpen(const QString &outputPath)
{
    const QString folder = FolderPart(outputPath);
    if (folder.size() <= 1)
        return folder;
    return folder.left(folder.size() - 1);
}

QString PartialOutputPath(const QString &outputPath)
{
    const QString name = FileNamePart(outputPath);
    const int point = name.lastIndexOf(QLatin1Char('.'));
    const QString base = point < 0 ? name : name.left(point);
    const QString extension = point < 0 ? QString() : name.mid(point);
    return FolderPart(outputPath) + QLatin1Char('.') + base + QStringLiteral(".partial-") +
           QString::number(QCoreApplication::applicationPid()) + extension;
}

bool ReplaceFile(const QString &from, const QString &to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}
