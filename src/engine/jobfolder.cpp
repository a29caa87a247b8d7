#include "jobfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <signal.h>

namespace {

const QString FolderPrefix = QStringLiteral("brelvane-job-");

qint64 ownerOf(const QString &folder)
{
    QFile marker(folder + QLatin1Char('/') + JobFolderMarkerName());
    if (!marker.open(QIODevice::ReadOnly))
        return 0;
    bool ok = false;
    const qint64 pid = marker.readLine(32).trimmed().toLongLong(&ok);
    return ok ? pid : 0;
}

} // namespace

bool ProcessIsGone(qint64 pid)
{
    if (pid <= 0)
        return false;
    return ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

QString JobFolderMarkerName()
{
    return QStringLiteral(".brelvane-job");
}

bool JobFolder::create(const QString &tempFolder)
{
    remove();
    const qint64 pid = QCoreApplication::applicationPid();
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString name = FolderPrefix + QString::number(pid) + QLatin1Char('-') +
                             QString::number(QRandomGenerator::global()->generate(), 16);
        // mkdir fails when the name exists: the folder is ours alone.
        if (!QDir(tempFolder).mkdir(name)) {
            if (QFileInfo::exists(tempFolder + name))
                continue;
            return false;
        }
        const QString folder = tempFolder + name;
        QFile marker(folder + QLatin1Char('/') + JobFolderMarkerName());
        if (!marker.open(QIODevice::WriteOnly) ||
            marker.write(QByteArray::number(pid) + '\n') < 0) {
            QDir(folder).removeRecursively();
            return false;
        }
        m_path = folder + QLatin1Char('/');
        return true;
    }
    return false;
}

void JobFolder::remove()
{
    if (m_path.isEmpty())
        return;
    QDir(m_path).removeRecursively();
    m_path.clear();
}

int RemoveLeftoverJobFolders(const QString &tempFolder)
{
    int removed = 0;
    const QDir dir(tempFolder);
    const QStringList names =
        dir.entryList({FolderPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        const QString folder = dir.filePath(name);
        // Without its marker a folder is not known to be ours: leave it.
        if (QFileInfo(folder).isSymLink() || !ProcessIsGone(ownerOf(folder)))
            continue;
        if (QDir(folder).removeRecursively())
            ++removed;
    }
    return removed;
}
