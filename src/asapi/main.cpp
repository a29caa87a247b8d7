// asapi.dll: the program's encoder. It takes the MEncoder-style command
// lines the program builds and does the work with ffmpeg, reporting
// progress as "Pos:" lines. A join that copies both streams is done here,
// with ffmpeg's libraries.
#include "childprocess.h"
#include "copyjoin.h"
#include "encoderrequest.h"
#include "ffmpegcommand.h"
#include "inputprobe.h"
#include "libav.h"
#include "toolrun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>

namespace {

constexpr int Failed = 1;
constexpr int BadArguments = 2;

int fail(const QString &reason, int code = Failed)
{
    std::fprintf(stderr, "asapi.dll: %s\n", reason.toLocal8Bit().constData());
    std::fflush(stderr);
    const int signal = StopSignalReceived();
    return signal != 0 ? 128 + signal : code;
}

bool writeList(QTemporaryFile &list, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    return list.write(bytes) == bytes.size() && list.flush();
}

// Through ffmpeg, reading several inputs from a list of them.
ToolResult runFfmpeg(const EncodeRequest &request, const QList<InputFacts> &inputs)
{
    // Removed as soon as ffmpeg has read it, and at the latest on return.
    QTemporaryFile list(QDir::tempPath() + QStringLiteral("/asapi-XXXXXX.ffconcat"));
    if (request.inputs.size() > 1 && !list.open())
        return {false, QStringLiteral("the list of files to join cannot be written in ") +
                           QDir::tempPath()};
    const FfmpegCommand command = BuildFfmpegCommand(request, inputs, list.fileName());
    if (!command.concatList.isEmpty() && !writeList(list, command.concatList))
        return {false, QStringLiteral("the list of files to join cannot be written: ") +
                           list.errorString()};
    return RunFfmpeg(command.arguments, [&list] {
        if (!list.fileName().isEmpty())
            list.remove();
    });
}

int run(const EncodeRequest &request)
{
    QList<InputFacts> inputs;
    const bool soundEnds = request.audio.copy && request.inputs.size() > 1;
    const ToolResult probe = ProbeInputs(request.inputs, soundEnds, inputs);
    if (!probe.ok)
        return fail(probe.error);
    // Copying both streams needs no codec: the packets are moved here.
    const bool copy = request.video.copy && request.audio.copy;
    const ToolResult done = copy ? CopyJoin(request, inputs) : runFfmpeg(request, inputs);
    if (!done.ok)
        return fail(done.error);
    const QFileInfo output(request.output);
    if (!output.isFile() || output.size() == 0)
        return fail(QStringLiteral("the output file %1 was not written").arg(request.output));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    ForwardStopSignals();
    libav::showErrorsOnly();
    QCoreApplication app(argc, argv);
    const ParsedRequest parsed = ParseEncoderArguments(QCoreApplication::arguments().mid(1));
    if (!parsed.ok())
        return fail(parsed.error, BadArguments);
    return run(parsed.request);
}
