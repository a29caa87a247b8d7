#include "outputname.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

#include "platform/filepaths.h"
#include "tasklist/inputtypes.h"

#include <QFileInfo>
#include <unistd.h>

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

int LongestNameIn(const QString &folder)
{
    const QByteArray path = folder.isEmpty() ? QByteArray(".") : QFile::encodeName(folder);
    const long longest = ::pathconf(path.constData(), _PC_NAME_MAX);
    return longest > 0 ? int(longest) : 255;
}

// base, shortened at its end as far as needed for head + base + tail to fit
// a name of at most longest bytes; the whole base stays whenever it fits.
static QString ShortenedToFit(const QString &head, QString base, const QString &tail, int longest)
{
    while (!base.isEmpty() && QFile::encodeName(head + base + tail).size() > longest) {
        base.chop(1);
        if (!base.isEmpty() && base.back().isHighSurrogate())
            base.chop(1);
    }
    return head + base + tail;
}

QString FirstFreeRenamedPath(const QString &outputPath, const QString &outputExtension)
{
    const QString folder = FolderPart(outputPath);
    const QString stem = StripExtension(FileNamePart(outputPath));
    const int longest = LongestNameIn(folder);
    for (int index = 1;; ++index) {
        const QString tail = QLatin1Char('_') + QString::number(index) + outputExtension;
        const QString candidate = folder + ShortenedToFit(QString(), stem, tail, longest);
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
    const QString base = StripExtension(name);
    const QString extension = ExtensionOf(name);
    const QString folder = FolderPart(outputPath);
    const QString tail = QStringLiteral(".partial-") +
                         QString::number(QCoreApplication::applicationPid()) + extension;
    return folder + ShortenedToFit(QStringLiteral("."), base, tail, LongestNameIn(folder));
}

bool ReplaceFile(const QString &from, const QString &to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}
