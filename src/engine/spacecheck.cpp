#include "spacecheck.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStorageInfo>

namespace {

// The temporaries hold the output's pictures already; their sound is
// 48 kHz 16-bit stereo. The output's sound is counted at the highest MP3
// rate. A tenth more covers the containers and the encoder's overshoot.
constexpr double TemporarySoundBytesPerSecond = 48000.0 * 2 * 2;
constexpr double OutputSoundKbit = 320;
constexpr double Margin = 1.1;

QString existingFolderOf(QString path)
{
    QFileInfo info(path);
    while (!info.exists() && info.absolutePath() != info.absoluteFilePath()) {
        path = info.absolutePath();
        info = QFileInfo(path);
    }
    return info.absoluteFilePath();
}

QString megabytes(qint64 bytes)
{
    return QString::number((bytes + 1024 * 1024 - 1) / (1024 * 1024));
}

StartRefusal notEnoughSpace(const QString &folder, qint64 needed, qint64 free)
{
    return {QCoreApplication::translate("Job", "Not Enough Space"),
            QCoreApplication::translate(
                "Job", "There is not enough free space for the job in \"%1\": it needs "
                       "about %2 MB, and %3 MB are free. Free some space or choose "
                       "another folder.")
                .arg(folder, megabytes(needed), megabytes(free)),
            StartRefusal::KeepFocus};
}

} // namespace

qint64 TemporaryBytes(const SpaceNeed &need)
{
    if (!need.temporaries || need.seconds <= 0)
        return 0;
    const double pictures = need.videoKbit * 1000 / 8;
    return qint64((pictures + TemporarySoundBytesPerSecond) * need.seconds * Margin);
}

qint64 OutputBytes(const SpaceNeed &need)
{
    if (need.seconds <= 0)
        return 0;
    return qint64((need.videoKbit + OutputSoundKbit) * 1000 / 8 * need.seconds * Margin);
}

qint64 FreeBytesAt(const QString &path)
{
    const QStorageInfo storage(existingFolderOf(path));
    return storage.isValid() ? storage.bytesAvailable() : -1;
}

std::optional<StartRefusal> CheckFreeSpace(const SpaceNeed &need, const QString &tempFolder,
                                           const QString &outputFolder)
{
    const qint64 temporaries = TemporaryBytes(need);
    const qint64 output = OutputBytes(need);
    const QStorageInfo tempDisk(existingFolderOf(tempFolder));
    const QStorageInfo outputDisk(existingFolderOf(outputFolder));
    const bool oneDisk = tempDisk.isValid() && outputDisk.isValid() &&
                         tempDisk.rootPath() == outputDisk.rootPath() &&
                         tempDisk.device() == outputDisk.device();
    if (oneDisk) {
        const qint64 free = tempDisk.bytesAvailable();
        if (free >= 0 && free < temporaries + output)
            return notEnoughSpace(outputFolder, temporaries + output, free);
        return std::nullopt;
    }
    if (tempDisk.isValid() && tempDisk.bytesAvailable() < temporaries)
        return notEnoughSpace(tempFolder, temporaries, tempDisk.bytesAvailable());
    if (outputDisk.isValid() && outputDisk.bytesAvailable() < output)
        return notEnoughSpace(outputFolder, output, outputDisk.bytesAvailable());
    return std::nullopt;
}
