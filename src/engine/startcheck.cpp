#include "startcheck.h"

#include "engine/commandline.h"
#include "engine/outputname.h"
#include "engine/pathidentity.h"
#include "engine/tempfiles.h"
#include "settings/optionbuilder.h"
#include "tasklist/filenamebytes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

static StartRefusal UnquotablePath(const QString &path, StartRefusal::Focus focus)
{
    return {QCoreApplication::translate("Job", "Invalid Path"),
            QCoreApplication::translate(
                "Job", "The path \"%1\" holds a double-quote character, which cannot be "
                       "passed to the encoder. Please rename it.")
                .arg(path),
            focus};
}

static std::optional<StartRefusal>
CheckQuotable(const QStringList &inputs, const QString &outputPath, const QStringList &tempFolders)
{
    for (const QString &input : inputs) {
        if (!IsQuotable(input))
            return UnquotablePath(input, StartRefusal::KeepFocus);
    }
    if (!IsQuotable(outputPath))
        return UnquotablePath(outputPath, StartRefusal::FocusOutputFile);
    for (const QString &folder : tempFolders) {
        if (!IsQuotable(folder))
            return UnquotablePath(folder, StartRefusal::KeepFocus);
    }
    return std::nullopt;
}

static std::optional<StartRefusal> CheckOutputIsNoInput(PathIndex &inputs,
                                                        const QString &outputPath)
{
    if (inputs.pathNaming(outputPath).isEmpty())
        return std::nullopt;
    return StartRefusal{
        QCoreApplication::translate("Job", "Output File"),
        QCoreApplication::translate("Job", "The output file \"%1\" is one of the videos to join. "
                                           "Please specify another output file.")
            .arg(outputPath),
        StartRefusal::FocusOutputFile};
}

static std::optional<StartRefusal> CheckTemporaries(PathIndex &inputs, int inputCount,
                                                    const QString &outputPath,
                                                    const QStringList &tempFolders)
{
    const QString outputIdentity = inputs.identityOf(outputPath);
    for (const QString &folder : tempFolders) {
        for (const QString &temporary : TemporaryPaths(folder, inputCount)) {
            const QString identity = inputs.identityOf(temporary);
            if (identity == outputIdentity) {
                return StartRefusal{QCoreApplication::translate("Job", "Output File"),
                                    QCoreApplication::translate(
                                        "Job",
                                        "The output file \"%1\" is the name of a temporary file of "
                                        "the job. Please specify another output file.")
                                        .arg(outputPath),
                                    StartRefusal::FocusOutputFile};
            }
            const QString input = inputs.pathWithIdentity(identity);
            if (!input.isEmpty()) {
                return StartRefusal{
                    QCoreApplication::translate("Job", "Temp Folder"),
                    QCoreApplication::translate(
                        "Job", "The temporary file \"%1\" would overwrite the video \"%2\". "
                               "Please choose another temp folder in the Settings.")
                        .arg(temporary, input),
                    StartRefusal::KeepFocus};
            }
        }
    }
    return std::nullopt;
}

std::optional<StartRefusal> CheckJobPaths(const QStringList &inputs, const QString &outputPath,
                                          const QStringList &tempFolders)
{
    if (auto refusal = CheckQuotable(inputs, outputPath, tempFolders))
        return refusal;
    PathIndex inputIndex(inputs);
    if (auto refusal = CheckOutputIsNoInput(inputIndex, outputPath))
        return refusal;
    return CheckTemporaries(inputIndex, int(inputs.size()), outputPath, tempFolders);
}

std::optional<StartRefusal> CheckAudioBitrate(const WorkingSelection &selection)
{
    if (AudioBitrateAcceptable(selection))
        return std::nullopt;
    return StartRefusal{
        QCoreApplication::translate("Job", "Audio Bitrate"),
        QCoreApplication::translate("Job", "The audio bitrate \"%1\" is not a whole number. Please "
                                           "choose an audio bitrate in the Output Settings.")
            .arg(selection.audioBitrate),
        StartRefusal::KeepFocus};
}

std::optional<StartRefusal> RefusalOfUnusableValue(const std::optional<UnusableValue> &value,
                                                   const QString &profilePath)
{
    if (!value)
        return std::nullopt;
    if (!QFileInfo(profilePath).isFile())
        return StartRefusal{
            QCoreApplication::translate("Job", "No Profile"),
            QCoreApplication::translate("Job", "No profile is loaded, and \"%1\" for \"%2\" cannot "
                                               "be given to the encoder. Please choose a profile.")
                .arg(value->text, value->section),
            StartRefusal::KeepFocus};
    return StartRefusal{
        QCoreApplication::translate("Job", "Invalid Profile Value"),
        QCoreApplication::translate("Job",
                                    "The profile \"%1\" gives \"%2\" for \"%3\", which the "
                                    "encoder cannot take. Please choose another value in the "
                                    "Output Settings, or another profile.")
            .arg(QFileInfo(profilePath).completeBaseName(), value->text, value->section),
        StartRefusal::KeepFocus};
}

static std::optional<StartRefusal> CheckNoControlCharacter(const QString &outputPath,
                                                           const QStringList &tempFolders)
{
    QStringList paths{outputPath};
    paths += tempFolders;
    for (const QString &path : paths) {
        if (!HoldsControlCharacter(path))
            continue;
        return StartRefusal{
            QCoreApplication::translate("Job", "Invalid Path"),
            QCoreApplication::translate(
                "Job", "The path \"%1\" holds a control character, which cannot be passed to "
                       "the encoder. Please rename it.")
                .arg(EscapedName(path)),
            path == outputPath ? StartRefusal::FocusOutputFile : StartRefusal::KeepFocus};
    }
    return std::nullopt;
}

static StartRefusal OutputFileRefusal(const QString &text)
{
    return {QCoreApplication::translate("Job", "Output File"), text, StartRefusal::FocusOutputFile};
}

static std::optional<StartRefusal> CheckOutputName(const QString &outputPath)
{
    if (QFileInfo(outputPath).isDir()) {
        return OutputFileRefusal(
            QCoreApplication::translate("Job", "The output file \"%1\" is a folder. Please "
                                               "specify another output file.")
                .arg(outputPath));
    }
    const int longest = LongestNameIn(FolderPart(outputPath));
    const QString partialName = FileNamePart(PartialOutputPath(outputPath));
    if (QFile::encodeName(FileNamePart(outputPath)).size() > longest ||
        QFile::encodeName(partialName).size() > longest) {
        return OutputFileRefusal(
            QCoreApplication::translate(
                "Job", "The output file name \"%1\" is too long: its folder takes names of "
                       "at most %2 bytes. Please specify a shorter name.")
                .arg(FileNamePart(outputPath))
                .arg(longest));
    }
    return std::nullopt;
}

// Access rights do not tell it all (a read-only file system, a folder that
// takes no files), so the job's own partial file is made and removed.
static std::optional<StartRefusal> CheckOutputFolderWritable(const QString &outputPath)
{
    const QByteArray probe = QFile::encodeName(PartialOutputPath(outputPath));
    const int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        ::unlink(probe.constData());
        return std::nullopt;
    }
    if (errno == EEXIST)
        return std::nullopt;
    const QString reason = QString::fromLocal8Bit(std::strerror(errno));
    return StartRefusal{QCoreApplication::translate("Job", "Output path cannot be written"),
                        QCoreApplication::translate(
                            "Job", "The output folder \"%1\" cannot be written (%2). Please "
                                   "specify another one.")
                            .arg(FolderPart(outputPath), reason),
                        StartRefusal::FocusOutputFile};
}

std::optional<StartRefusal> CheckOutputPlace(const QString &outputPath,
                                             const QStringList &tempFolders)
{
    if (auto refusal = CheckNoControlCharacter(outputPath, tempFolders))
        return refusal;
    if (auto refusal = CheckOutputName(outputPath))
        return refusal;
    return CheckOutputFolderWritable(outputPath);
}
