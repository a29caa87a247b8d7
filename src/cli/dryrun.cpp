#include "cli/dryrun.h"

#include "engine/commandline.h"
#include "engine/inputfacts.h"
#include "engine/livesettings.h"
#include "engine/outputname.h"
#include "engine/tempfiles.h"
#include "settings/optionbuilder.h"
#include "settings/workingselection.h"
#include "tasklist/tasklistmodel.h"

#include <QFileInfo>

QStringList DryRunCommandLines(const DryRunJob &job)
{
    const QString encoder = QuoteArgument(job.encoderPath);
    const WorkingSelection selection = job.selection->workingSelection();
    const QString tempFolder = PreferredTempFolder(job.settings->tempDir(), job.programDir);
    const int rows = job.tasks->count();

    QStringList lines;
    const QString frameSize = BuildVideoSize(selection, job.profilePath);
    for (int row = 0; row < rows; ++row) {
        const QString input = job.tasks->caption(row);
        lines << encoder + ConvertCommandLine(input, TemporaryPath(tempFolder, row), frameSize,
                                              FactsOfInput(*job.tasks, input));
    }
    const QString target =
        QFileInfo::exists(job.outputPath) && job.settings->renameOutput()
            ? FirstFreeRenamedPath(job.outputPath, job.selection->outputExtension())
            : job.outputPath;
    lines << encoder + JoinCommandLine(TemporaryPaths(tempFolder, rows), QuoteArgument(target),
                                       BuildEncoderOptions(selection, job.profilePath));
    return lines;
}
