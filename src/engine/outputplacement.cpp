#include "outputplacement.h"

#include "engine/jobfolder.h"
#include "engine/outputname.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileIdentity IdentityOf(const QString &path)
{
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return FileIdentity();
    return FileIdentity{true, quint64(status.st_dev), quint64(status.st_ino)};
}

namespace {

// File systems without renameat2's flag still have hard links: a link
// fails when the name is taken, and the name then holds the result.
MoveResult moveByLink(const QByteArray &from, const QByteArray &to)
{
    if (::link(from.constData(), to.constData()) != 0)
        return errno == EEXIST ? MoveResult::NameTaken : MoveResult::Failed;
    ::unlink(from.constData());
    return MoveResult::Moved;
}

} // namespace

MoveResult MoveWithoutReplacing(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0)
        return MoveResult::Moved;
    if (errno == EEXIST)
        return MoveResult::NameTaken;
    if (errno == EINVAL || errno == ENOSYS || errno == ENOTSUP)
        return moveByLink(source, target);
    return MoveResult::Failed;
}

QString MoveToFreeRenamedPath(const QString &from, const QString &outputPath,
                              const QString &outputExtension)
{
    // Another job may take the free name between the look and the move;
    // the move then finds it taken, and the next free name is looked for.
    for (;;) {
        const QString candidate = FirstFreeRenamedPath(outputPath, outputExtension);
        switch (MoveWithoutReplacing(from, candidate)) {
        case MoveResult::Moved:
            return candidate;
        case MoveResult::Failed:
            return QString();
        case MoveResult::NameTaken:
            break;
        }
    }
}

int RemoveLeftoverPartialOutputs(const QString &folder)
{
    static const QRegularExpression partialName(
        QStringLiteral("^\\..*\\.partial-([0-9]+)(\\.[^.]*)?$"));
    const QDir dir(folder);
    int removed = 0;
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks)) {
        const QRegularExpressionMatch match = partialName.match(name);
        if (!match.hasMatch() || !ProcessIsGone(match.captured(1).toLongLong()))
            continue;
        if (QFile::remove(dir.filePath(name)))
            ++removed;
    }
    return removed;
}
