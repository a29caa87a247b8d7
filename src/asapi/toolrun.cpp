#include "toolrun.h"

#include "childprocess.h"
#include "progresslines.h"

#include <QProcess>

namespace {

// Starts a tool tied to this process, with signals passed on to it.
bool startTool(QProcess &process, const QString &program, const QStringList &arguments)
{
    process.setStandardInputFile(QProcess::nullDevice());
    TieToThisProcess(process);
    process.start(program, arguments);
    if (!process.waitForStarted(-1))
        return false;
    SetSignalledChild(process.processId());
    return true;
}

QString notStarted(const QString &program)
{
    return QStringLiteral("%1 could not be started: %2 (the Debian package ffmpeg provides it)")
        .arg(program, program);
}

} // namespace

namespace {

ToolResult reportUntilEnd(QProcess &ffmpeg, const std::function<void()> &afterFirstReport)
{
    ProgressLines progress;
    bool reported = false;
    while (ffmpeg.waitForReadyRead(-1) || ffmpeg.bytesAvailable() > 0) {
        for (const QByteArray &line : progress.take(ffmpeg.readAll())) {
            PrintLine(line);
            if (!reported && afterFirstReport)
                afterFirstReport();
            reported = true;
        }
    }
    ffmpeg.waitForFinished(-1);
    SetSignalledChild(0);
    if (ffmpeg.exitStatus() != QProcess::NormalExit)
        return {false, QStringLiteral("ffmpeg ended abnormally")};
    if (ffmpeg.exitCode() != 0)
        return {false, QStringLiteral("ffmpeg failed with exit code %1").arg(ffmpeg.exitCode())};
    return {true, QString()};
}

} // namespace

ToolResult RunFfmpeg(const QStringList &arguments, const std::function<void()> &afterFirstReport)
{
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const QString program = QStringLiteral("ffmpeg");
    if (!startTool(ffmpeg, program, arguments))
        return {false, notStarted(program)};
    return reportUntilEnd(ffmpeg, afterFirstReport);
}

ToolResult RunFfmpegKeepingMessages(const QStringList &arguments, QByteArray &messages)
{
    QProcess ffmpeg;
    const QString program = QStringLiteral("ffmpeg");
    if (!startTool(ffmpeg, program, arguments))
        return {false, notStarted(program)};
    // Waiting for the progress reads the messages into their own buffer.
    const ToolResult done = reportUntilEnd(ffmpeg, {});
    messages = ffmpeg.readAllStandardError();
    return done;
}
