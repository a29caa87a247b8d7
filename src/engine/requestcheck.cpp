#include "requestcheck.h"

#include "contract/chapterlist.h"
#include "engine/copycheck.h"
#include "engine/firstvideo.h"
#include "engine/outputname.h"
#include "engine/spacecheck.h"
#include "engine/tempfiles.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>

namespace {

std::optional<StartRefusal> CheckOutputText(const JobRequest &request)
{
    const QString &text = request.outputPath;
    const QString folder = FolderPart(text);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        return StartRefusal{
            QCoreApplication::translate("Job", "Output path does not exist"),
            QCoreApplication::translate(
                "Job", "The output path does not exist. Please specify another one."),
            StartRefusal::FocusOutputFile};
    }
    if (FileNamePart(text).isEmpty()) {
        return StartRefusal{QCoreApplication::translate("Job", "Icorrect Filename"),
                            QCoreApplication::translate("Job", "Please specify the output file."),
                            StartRefusal::FocusOutputFile};
    }
    return std::nullopt;
}

SpaceNeed SpaceNeedOf(const JobRequest &request)
{
    SpaceNeed need;
    for (const JobRow &row : request.rows)
        need.seconds += qMax(0.0, row.seconds);
    need.videoKbit = request.selection.videoBitrate.toDouble();
    if (request.profile.copiesStreams()) {
        // No temporaries, and an output about as large as the inputs.
        need.temporaries = false;
        need.videoKbit = CopiedKbitPerSecond(request.inputPaths(), need.seconds);
    }
    return need;
}

} // namespace

std::optional<StartRefusal> CheckJobRequest(const JobRequest &request)
{
    if (request.rows.size() < 2) {
        return StartRefusal{QCoreApplication::translate("Job", "Add More Videos"),
                            QCoreApplication::translate(
                                "Job", "Please add at least 2 videos to the task for joining."),
                            StartRefusal::KeepFocus};
    }
    if (auto refusal = CheckOutputText(request))
        return refusal;
    const QString &output = request.outputPath;
    const QStringList tempFolders = PossibleTempFolders(request.tempDir, request.programDir);
    if (auto refusal = CheckJobPaths(request.inputPaths(), output, tempFolders))
        return refusal;
    if (auto refusal = CheckOutputPlace(output, tempFolders))
        return refusal;
    if (auto refusal = CheckAudioBitrate(request.selection))
        return refusal;
    if (request.profile.unusableValue)
        return request.profile.unusableValue;
    if (!request.profile.copiesStreams()) {
        const JobRow &first = request.rows.first();
        if (auto refusal = CheckFirstVideo(request.profile.pieces, first.path, first.facts))
            return refusal;
    }
    if (auto refusal =
            CheckFreeSpace(SpaceNeedOf(request), tempFolders.first(), FolderPart(output)))
        return refusal;
    if (request.profile.copiesStreams())
        return CheckCopyJoin(PlanInputsOf(request), ReencodingProfile(request.programDir));
    return std::nullopt;
}

JobPlan PlanJob(const JobRequest &request, const QString &workFolder, const QString &finalTarget)
{
    PlanSettings settings = ProfilePlanSettings(request.profile.pieces);
    // The first video's size and rate where a choice takes them.
    const JobPictureFormat format =
        PictureFormatOfJob(request.profile.pieces,
                           request.rows.isEmpty() ? ProbeResult() : request.rows.first().facts);
    if (format.frame)
        settings.frameSize = *format.frame;
    if (format.rate)
        settings.frameRate = *format.rate;
    settings.evenLoudness = request.profile.evenLoudness;
    if (WantsChapters(request)) {
        for (const JobRow &row : request.rows)
            settings.chapterTitles << ChapterTitleOf(row.path);
    }
    settings.conversionsAtOnce = request.conversionsAtOnce;
    settings.cores = qMax(1, QThread::idealThreadCount());
    settings.workFolder = workFolder;
    settings.finalTarget = finalTarget;
    settings.joinTarget = PartialOutputPath(finalTarget);
    return MakeJobPlan(PlanInputsOf(request), settings);
}

QString FinalTarget(const JobRequest &request)
{
    if (request.overwrite.rename && QFileInfo::exists(request.outputPath))
        return FirstFreeRenamedPath(request.outputPath, request.outputExtension());
    return request.outputPath;
}

JobPlan PreviewPlan(const JobRequest &request)
{
    const QString tempFolder = PreferredTempFolder(request.tempDir, request.programDir);
    return PlanJob(request,
                   tempFolder +
                       QStringLiteral("brelvane-job-%1-…/").arg(QCoreApplication::applicationPid()),
                   FinalTarget(request));
}
