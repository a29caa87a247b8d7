#include "benchjobseams.h"

#include "contract/encoderlines.h"
#include "settings/preferences.h"

WorkingSelection joiningSelection(const QString &frameSize)
{
    WorkingSelection selection;
    selection.videoCodec = 0;
    selection.videoBitrate = QStringLiteral("1200");
    selection.aspect = 0;
    selection.audioCodec = 0;
    selection.audioCodecText = QStringLiteral("MP3");
    selection.audioBitrate = QStringLiteral("128");
    selection.mp3Mode = 0;
    selection.mp3Quality = 0;
    selection.channels = 0;
    selection.listSize = false;
    selection.width = frameSize.section(QLatin1Char(':'), 0, 0);
    selection.height = frameSize.section(QLatin1Char(':'), 1, 1);
    selection.sampleRate = QStringLiteral("44100");
    return selection;
}

JobRequest benchRequest(const TaskListModel &tasks, const QuietView &view,
                        const WorkingSelection &selection, const QString &tempDir,
                        const QString &programDir)
{
    JobRequest request;
    request.selection = selection;
    request.profileExtension = QStringLiteral(".avi");
    request.programDir = programDir;
    ResolveJobRequest(request, tasks, view.profile, view.output);
    request.overwrite = OverwriteRule{false, false};
    request.tempDir = tempDir;
    request.conversionsAtOnce = DefaultConversionsAtOnce();
    request.encoderPath = EncoderPathIn(programDir);
    return request;
}
