#include "pathidentity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

// "." and ".." are resolved by the file system, through symbolic links,
// which a folder's name alone does not tell.
bool hasDotSegment(const QString &path)
{
    for (const QStringView segment : QStringView(path).split(QLatin1Char('/'))) {
        if (segment == QLatin1String(".") || segment == QLatin1String(".."))
            return true;
    }
    return false;
}

bool isSymbolicLink(const QString &path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISLNK(status.st_mode);
}

} // namespace

QString PathIdentity(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists())
        return info.canonicalFilePath();
    const QFileInfo folder(info.absolutePath());
    if (folder.exists())
        return folder.canonicalFilePath() + QLatin1Char('/') + info.fileName();
    return QDir::cleanPath(info.absoluteFilePath());
}

QString PathIdentities::of(const QString &path)
{
    // Only an absolute path splits into its folder and name as written.
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (!path.startsWith(QLatin1Char('/')) || slash == path.size() - 1 || hasDotSegment(path) ||
        isSymbolicLink(path))
        return PathIdentity(path);
    const QString folder = folderIdentity(slash == 0 ? QStringLiteral("/") : path.left(slash));
    if (folder.isEmpty())
        return QDir::cleanPath(path);
    QString identity = folder;
    if (!identity.endsWith(QLatin1Char('/')))
        identity += QLatin1Char('/');
    identity += QStringView(path).mid(slash + 1);
    return identity;
}

QString PathIdentities::folderIdentity(const QString &absoluteFolder)
{
    const auto known = m_folders.constFind(absoluteFolder);
    if (known != m_folders.constEnd())
        return *known;
    const QFileInfo folder(absoluteFolder);
    const QString identity = folder.exists() ? folder.canonicalFilePath() : QString();
    m_folders.insert(absoluteFolder, identity);
    return identity;
}

PathIndex::PathIndex(const QStringList &paths)
{
    m_byIdentity.reserve(paths.size());
    for (const QString &path : paths) {
        const QString identity = m_identities.of(path);
        if (!m_byIdentity.contains(identity))
            m_byIdentity.insert(identity, path);
    }
}
