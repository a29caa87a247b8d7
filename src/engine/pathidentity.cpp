#include "pathidentity.h"

#include <QDir>
#include <QFileInfo>

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
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (name.isEmpty() || hasDotSegment(path) || info.isSymLink())
        return PathIdentity(path);
    const QString folder = folderIdentity(info.absolutePath());
    if (folder.isEmpty())
        return QDir::cleanPath(info.absoluteFilePath());
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
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
