// asapi.dll: the program's encoder. It takes the MEncoder-style command
// lines the program builds and does the work with ffmpeg, reporting
// progress as "Pos:" lines. A join that copies both streams is done here,
// with ffmpeg's libraries.
#include "chapters.h"
#include "childprocess.h"
#include "copyjoin.h"
#include "encoderrequest.h"
#include "ffmpegcommand.h"
#include "inputprobe.h"
#include "libav.h"
#include "loudness.h"
#include "progresslines.h"
#include "toolrun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QThread>

#include <cstdio>
#include <memory>

namespace {

constexpr int Failed = 1;
constexpr int BadArguments = 2;

int fail(const QString &reason, int code = Failed)
{
    std::fprintf(stderr, "%s: %s\n", EncoderFileName().toLocal8Bit().constData(),
                 reason.toLocal8Bit().constData());
    std::fflush(stderr);
    const int signal = StopSignalReceived();
    return signal != 0 ? 128 + signal : code;
}

bool writeList(QTemporaryFile &list, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    return list.write(bytes) == bytes.size() && list.flush();
}

// Through ffmpeg, reading several inputs from a list of them, and the
// chapters from a file of their own.
ToolResult runFfmpeg(const EncodeRequest &request, const QList<InputFacts> &inputs,
                     RunAdditions additions = RunAdditions())
{
    // Removed as soon as ffmpeg has read them, and at the latest on return.
    QTemporaryFile list(QDir::tempPath() + QStringLiteral("/asapi-XXXXXX.ffconcat"));
    QTemporaryFile chapters(QDir::tempPath() + QStringLiteral("/asapi-XXXXXX.ffmeta"));
    if (request.inputs.size() > 1 && !list.open())
        return {false, QStringLiteral("the list of files to join cannot be written in ") +
                           QDir::tempPath()};
    if (!additions.chapterTitles.isEmpty() && !chapters.open())
        return {false, QStringLiteral("the chapters cannot be written in ") + QDir::tempPath()};
    additions.chapterFilePath = chapters.fileName();
    const FfmpegCommand command = BuildFfmpegCommand(request, inputs, list.fileName(), additions);
    if (!command.concatList.isEmpty() && !writeList(list, command.concatList))
        return {false, QStringLiteral("the list of files to join cannot be written: ") +
                           list.errorString()};
    if (!command.chapterFile.isEmpty() && !writeList(chapters, command.chapterFile))
        return {false, QStringLiteral("the chapters cannot be written: ") + chapters.errorString()};
    return RunFfmpeg(command.arguments, [&list, &chapters] {
        for (QTemporaryFile *file : {&list, &chapters}) {
            if (!file->fileName().isEmpty())
                file->remove();
        }
    });
}

// A conversion of one input reads its packets beside ffmpeg's run (the
// reading is cheap next to decoding, and the file is in the cache), and
// says at the end how much of the input there was to convert: a cut-off
// file is padded to its stated length to keep its sound in step, and that
// must not pass unnoticed.
ToolResult convertMeasuring(const EncodeRequest &request, const InputFacts &input,
                            RunAdditions additions)
{
    // The sound's loudness is measured in a run of its own before the
    // conversion evens it out.
    if (request.audio.evenLoudness && input.audioStream >= 0) {
        const ToolResult measured = MeasureLoudness(request.inputs.first(), input.audioStream,
                                                    request.sampleRate, additions.loudnessFilter);
        if (!measured.ok)
            return measured;
    }
    StreamEnds read;
    std::unique_ptr<QThread> reader(QThread::create([&] {
        // ffmpeg tells of the damage it meets itself.
        libav::quietOnThisThread();
        read = ReadStreamEnds(request.inputs.first(), input);
    }));
    reader->start();
    const ToolResult done = runFfmpeg(request, {input}, additions);
    reader->wait();
    const std::optional<InputReading> reading = ReadingOf(input, read, 0);
    if (done.ok && reading)
        PrintLine(ReadingLine(*reading));
    return done;
}

int run(const EncodeRequest &request)
{
    QList<InputFacts> inputs;
    const bool soundEnds = request.audio.copy && request.inputs.size() > 1;
    const ToolResult probe = ProbeInputs(request.inputs, soundEnds, inputs);
    if (!probe.ok)
        return fail(probe.error);
    const QString mismatch = CopyMismatch(request.inputs, inputs, request.video.copy,
                                          request.audio.copy && request.audio.enabled);
    if (!mismatch.isEmpty())
        return fail(mismatch);
    RunAdditions additions;
    if (!request.chapterList.isEmpty()) {
        const ChapterListReading list =
            ReadChapterListFile(request.chapterList, static_cast<int>(request.inputs.size()));
        if (!list.error.isEmpty())
            return fail(list.error, BadArguments);
        additions.chapterTitles = list.titles;
    }
    // Copying both streams needs no codec: the packets are moved here.
    const bool copy = request.video.copy && request.audio.copy;
    const bool conversion = !copy && inputs.size() == 1;
    const ToolResult done = copy         ? CopyJoin(request, inputs, additions.chapterTitles)
                            : conversion ? convertMeasuring(request, inputs.first(), additions)
                                         : runFfmpeg(request, inputs, additions);
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
