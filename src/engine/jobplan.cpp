#include "jobplan.h"

#include "engine/commandline.h"

QString PlannedTemporary(const QString &workFolder, int row)
{
    return workFolder + QString::number(row) + QStringLiteral(".avi");
}

QStringList JobPlan::describe(const QString &encoderPath) const
{
    const QString encoder = QuoteArgument(encoderPath);
    QStringList lines;
    for (const PlanStep &step : conversions)
        lines << encoder + step.commandLine;
    lines << encoder + join.commandLine;
    return lines;
}

int ConversionThreads(int row, int rows, int conversionsAtOnce, int cores)
{
    const int beside = qBound(1, qMin(conversionsAtOnce, rows - row), qMax(1, cores));
    return qMax(1, cores / beside);
}

static PlanStep PlannedConversion(const PlanInput &input, int row, int rows,
                                  const PlanSettings &settings)
{
    PlanStep step;
    step.input = input.path;
    step.row = row;
    step.seconds = input.seconds;
    step.target = PlannedTemporary(settings.workFolder, row);
    ConversionPicture picture;
    if (!settings.pictureCodecOptions.isEmpty())
        picture.codecOptions = settings.pictureCodecOptions;
    picture.threads = ConversionThreads(row, rows, settings.conversionsAtOnce, settings.cores);
    step.commandLine =
        ConvertCommandLine(input.path, step.target, settings.frameSize, input.facts, picture);
    return step;
}

JobPlan MakeJobPlan(const QList<PlanInput> &inputs, const PlanSettings &settings)
{
    JobPlan plan;
    plan.workFolder = settings.workFolder;
    plan.finalTarget = settings.finalTarget;
    for (const PlanInput &input : inputs)
        plan.totalSeconds += input.seconds;
    QStringList joined;
    for (int row = 0; row < inputs.size(); ++row) {
        if (settings.copyStreams) {
            joined << inputs.at(row).path;
            continue;
        }
        PlanStep step = PlannedConversion(inputs.at(row), row, inputs.size(), settings);
        step.totalSpan = plan.totalSeconds;
        plan.conversions << step;
        joined << step.target;
    }
    plan.join.target = settings.joinTarget;
    plan.join.seconds = plan.totalSeconds;
    plan.join.commandLine =
        JoinCommandLine(joined, QuoteArgument(settings.joinTarget), settings.joinOptions);
    // The conversions fill the first half of the total bar and the join the
    // second; a join alone fills the whole bar.
    const bool alone = plan.conversions.isEmpty();
    plan.join.totalOffset = alone ? 0 : 50;
    plan.join.totalSpan = alone ? plan.totalSeconds / 2 : plan.totalSeconds;
    return plan;
}
