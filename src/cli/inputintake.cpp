#include "cli/inputintake.h"

#include "tasklist/inputtypes.h"
#include "tasklist/tasklist.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The name of the list file an input stands for, or an empty text.
QString listFileOf(const QString &input)
{
    if (input.startsWith(QLatin1Char('@')) && input.size() > 1)
        return input.mid(1);
    if (LowerCasedExtension(input) == QLatin1String(".tmp"))
        return input;
    return QString();
}

bool readListFile(const QString &path, QStringList &lines)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    lines = QString::fromUtf8(content).split(QLatin1Char('\n'));
    return true;
}

} // namespace

ExpandedInputs ExpandInputs(const QStringList &inputs)
{
    ExpandedInputs expanded;
    for (const QString &input : inputs) {
        const QString listFile = listFileOf(input);
        if (listFile.isEmpty()) {
            expanded.entries << input;
            continue;
        }
        QStringList lines;
        if (!readListFile(listFile, lines)) {
            expanded.problems << QCoreApplication::translate(
                                     "CliJoin", "the list file \"%1\" could not be read")
                                     .arg(listFile);
            continue;
        }
        for (const QString &line : qAsConst(lines)) {
            if (!line.trimmed().isEmpty())
                expanded.entries << line;
        }
    }
    return expanded;
}

QString EntryProblem(const QString &entry)
{
    const QFileInfo info(entry);
    // A folder named like a video is most likely a mistake for the video;
    // taking the videos inside it instead would join something else.
    if (info.isDir() && IsSupportedExt(QDir::cleanPath(entry)))
        return QCoreApplication::translate("CliJoin", "\"%1\" is a folder, not a video file")
            .arg(entry);
    if (info.isDir())
        return QString();
    if (!info.isFile())
        return QCoreApplication::translate("CliJoin", "no such file or folder: \"%1\"").arg(entry);
    if (!IsSupportedExt(entry)) {
        return QCoreApplication::translate("CliJoin",
                                           "\"%1\" is not of a video type the program takes (%2)")
            .arg(entry, InputExtensions().join(QLatin1Char(' ')));
    }
    return QString();
}

QStringList FoldersWithoutInputs(const QStringList &entries)
{
    QStringList empty;
    for (const QString &entry : entries) {
        if (QFileInfo(entry).isDir() &&
            QDir(entry).entryList(InputPatterns(), QDir::Files).isEmpty())
            empty << entry;
    }
    return empty;
}

void AddEntries(TaskList &tasks, const QStringList &entries)
{
    // The intake reads a first entry ending in ".tmp" as a list file; the
    // list files are read already, so an empty first entry, which the intake
    // skips, keeps a folder of such a name a folder.
    tasks.TakeStartupArguments(QStringList{QString()} + entries);
    // The files are probed on every core while this thread waits: there is
    // no window to keep answering.
    tasks.waitForIntake();
}
