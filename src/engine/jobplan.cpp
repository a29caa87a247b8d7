#include "jobplan.h"

#include "contract/chapterlist.h"
#include "engine/commandline.h"
#include "engine/threadshare.h"
#include "settings/optionbuilder.h"

QString PlannedTemporary(const QString &workFolder, int row, bool timed)
{
    return workFolder + QString::number(row) +
           (timed ? QStringLiteral(".mkv") : QStringLiteral(".avi"));
}

QStringList JobPlan::describe(const QString &encoderPath) const
{
    const QString encoder = QuoteArgument(encoderPath);
    QStringList lines;
    for (const PlanStep &step : conversions)
        lines << encoder + CommandText(step.arguments);
    lines << encoder + CommandText(join.arguments);
    return lines;
}

void JobPlan::retarget(const QString &newFinalTarget, const QString &newJoinTarget)
{
    finalTarget = newFinalTarget;
    join.target = newJoinTarget;
    // The join's arguments end with "-o" and its target.
    if (!join.arguments.isEmpty())
        join.arguments.last() = newJoinTarget;
}

static PlanStep PlannedConversion(const PlanInput &input, int row, int threads,
                                  const PlanSettings &settings)
{
    PlanStep step;
    step.input = input.path;
    step.row = row;
    step.seconds = input.seconds;
    step.target = PlannedTemporary(settings.workFolder, row, settings.timedTemporaries);
    ConversionPicture picture;
    if (!settings.pictureCodecOptions.isEmpty())
        picture.codecOptions = settings.pictureCodecOptions;
    picture.threads = threads;
    picture.timedContainer = settings.timedTemporaries;
    picture.frameRate = settings.frameRate;
    picture.evenLoudness = settings.evenLoudness;
    step.arguments =
        ConvertArguments(input.path, step.target, settings.frameSize, input.facts, picture);
    return step;
}

JobPlan MakeJobPlan(const QList<PlanInput> &inputs, const PlanSettings &settings)
{
    JobPlan plan;
    plan.workFolder = settings.workFolder;
    plan.finalTarget = settings.finalTarget;
    for (const PlanInput &input : inputs)
        plan.totalSeconds += input.seconds;
    QList<double> seconds;
    for (const PlanInput &input : inputs)
        seconds << input.seconds;
    const QList<int> threads =
        ConversionThreads(seconds, settings.conversionsAtOnce, settings.cores);
    QStringList joined;
    for (int row = 0; row < inputs.size(); ++row) {
        if (settings.copyStreams) {
            joined << inputs.at(row).path;
            continue;
        }
        PlanStep step = PlannedConversion(inputs.at(row), row, threads.at(row), settings);
        step.totalSpan = plan.totalSeconds;
        plan.conversions << step;
        joined << step.target;
    }
    plan.join.target = settings.joinTarget;
    plan.join.seconds = plan.totalSeconds;
    QStringList joinOptions = settings.joinOptions;
    if (!settings.chapterTitles.isEmpty() && !settings.workFolder.isEmpty()) {
        plan.chapterListPath = settings.workFolder + QStringLiteral("chapters.txt");
        plan.chapterListText = ChapterListText(settings.chapterTitles);
        joinOptions << QStringLiteral("-chapters") << plan.chapterListPath;
    }
    plan.join.arguments = JoinArguments(joined, settings.joinTarget, joinOptions);
    // The conversions fill the first half of the total bar and the join the
    // second; a join alone fills the whole bar.
    const bool alone = plan.conversions.isEmpty();
    plan.join.totalOffset = alone ? 0 : 50;
    plan.join.totalSpan = alone ? plan.totalSeconds / 2 : plan.totalSeconds;
    return plan;
}

PlanSettings ProfilePlanSettings(const EncoderPieces &pieces)
{
    PlanSettings settings;
    if (const auto frame = ReadFrameSize(pieces.frameSize))
        settings.frameSize = *frame;
    settings.pictureCodecOptions = PictureCodecOptions(pieces);
    settings.joinOptions = JoinOptionArguments(pieces);
    settings.timedTemporaries = NeedsTimedTemporaries(pieces);
    settings.frameRate = pieces.frameRate;
    settings.copyStreams = pieces.copyStreams;
    return settings;
}
