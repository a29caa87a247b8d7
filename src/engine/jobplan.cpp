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

JobPlan MakeJobPlan(const QList<PlanInput> &inputs, const PlanSettings &settings)
{
    JobPlan plan;
    plan.workFolder = settings.workFolder;
    plan.finalTarget = settings.finalTarget;
    QStringList temporaries;
    for (int row = 0; row < inputs.size(); ++row) {
        const PlanInput &input = inputs.at(row);
        PlanStep step;
        step.input = input.path;
        step.row = row;
        step.seconds = input.seconds;
        step.target = PlannedTemporary(settings.workFolder, row);
        step.commandLine =
            ConvertCommandLine(input.path, step.target, settings.frameSize, input.facts);
        plan.conversions << step;
        plan.totalSeconds += input.seconds;
        temporaries << step.target;
    }
    plan.join.target = settings.joinTarget;
    plan.join.seconds = plan.totalSeconds;
    plan.join.commandLine =
        JoinCommandLine(temporaries, QuoteArgument(settings.joinTarget), settings.joinOptions);
    return plan;
}
