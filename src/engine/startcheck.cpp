#include "startcheck.h"

#include "engine/commandline.h"
#include "engine/pathidentity.h"
#include "engine/tempfiles.h"
#include "settings/optionbuilder.h"

static StartRefusal UnquotablePath(const QString &path, StartRefusal::Focus focus)
{
    return {QStringLiteral("Invalid Path"),
            QStringLiteral("The path \"%1\" holds a double-quote character, which cannot be "
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
    return StartRefusal{QStringLiteral("Output File"),
                        QStringLiteral("The output file \"%1\" is one of the videos to join. "
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
                return StartRefusal{
                    QStringLiteral("Output File"),
                    QStringLiteral("The output file \"%1\" is the name of a temporary file of "
                                   "the job. Please specify another output file.")
                        .arg(outputPath),
                    StartRefusal::FocusOutputFile};
            }
            const QString input = inputs.pathWithIdentity(identity);
            if (!input.isEmpty()) {
                return StartRefusal{
                    QStringLiteral("Temp Folder"),
                    QStringLiteral("The temporary file \"%1\" would overwrite the video \"%2\". "
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
    return StartRefusal{QStringLiteral("Audio Bitrate"),
                        QStringLiteral("The audio bitrate \"%1\" is not a whole number. Please "
                                       "choose an audio bitrate in the Output Settings.")
                            .arg(selection.audioBitrate),
                        StartRefusal::KeepFocus};
}
