#include "ffmpegcommand.h"

#include "chapters.h"
#include "inputformats.h"

#include <QFileInfo>

#include <cmath>

namespace {

QString secondsText(double seconds)
{
    return QString::number(seconds, 'f', 6);
}

// A local path as ffmpeg must read it: with "file:", a name holding a colon
// is not taken for a protocol.
QString fileUrl(const QString &path)
{
    return QStringLiteral("file:") + path;
}

// The inputs seen as one: the first file's streams (the concat demuxer takes
// them from it) over the summed length of the pictures.
InputFacts joinedFacts(const QList<InputFacts> &inputs)
{
    InputFacts joined = inputs.value(0);
    for (int i = 1; i < inputs.size(); ++i) {
        if (joined.pictureEnd < 0 || inputs.at(i).pictureEnd < 0)
            joined.pictureEnd = -1;
        else
            joined.pictureEnd += inputs.at(i).pictureEnd;
    }
    return joined;
}

// Where the run ends: a whole number of frames when the frame rate is
// fixed, else the end of the picture; < 0 when unknown.
struct RunLength {
    qint64 frames = -1;
    double seconds = -1;
};

RunLength runLength(const EncodeRequest &request, const InputFacts &facts)
{
    RunLength length;
    if (facts.pictureEnd < 0)
        return length;
    const double rate = FrameRateValue(request.frameRate);
    if (rate <= 0) {
        length.seconds = facts.pictureEnd;
        return length;
    }
    length.frames = std::max<qint64>(1, std::llround(facts.pictureEnd * rate));
    length.seconds = length.frames / rate;
    return length;
}

QString videoChain(const EncodeRequest &request, const InputFacts &facts, const RunLength &length)
{
    QStringList chain = request.video.filters;
    if (request.video.aspect.isEmpty())
        chain << QStringLiteral("setsar=1");
    if (!request.frameRate.isEmpty()) {
        // Timestamps decide which frames are repeated or dropped, and a
        // picture that starts after the sound is held on its first frame.
        chain << QStringLiteral("fps=%1:start_time=0").arg(request.frameRate);
        // The last frame held to the length, and not a frame past it: the
        // sound is cut to the same length.
        if (length.frames > 0)
            chain << QStringLiteral("tpad=stop=-1:stop_mode=clone")
                  << QStringLiteral("trim=end_frame=%1").arg(length.frames);
    }
    // A chain must hold a filter: a display shape of its own and no other
    // filter leave nothing else to write.
    if (chain.isEmpty())
        chain << QStringLiteral("null");
    return QStringLiteral("[0:%1]").arg(facts.videoStream) + chain.join(QLatin1Char(',')) +
           QStringLiteral("[v]");
}

QString audioChain(const EncodeRequest &request, const InputFacts &facts, const RunLength &length,
                   const QString &loudnessFilter)
{
    QStringList chain;
    if (facts.audioStream >= 0) {
        // Sound re-timed to its timestamps: silence where it starts late or
        // has gaps, samples dropped where pieces overlap.
        const QString rate = request.sampleRate > 0
                                 ? QString::number(request.sampleRate) + QLatin1Char(':')
                                 : QString();
        chain << QStringLiteral("aresample=%1async=1:min_hard_comp=0.01:first_pts=0").arg(rate);
        // Evened out before the padding, which stays silent.
        if (!loudnessFilter.isEmpty())
            chain << loudnessFilter;
        if (length.seconds > 0)
            chain << QStringLiteral("apad");
    } else {
        chain << QStringLiteral("anullsrc=r=%1:cl=%2")
                     .arg(request.sampleRate > 0 ? request.sampleRate : 48000)
                     .arg(request.channels == 1 ? QStringLiteral("mono")
                                                : QStringLiteral("stereo"));
    }
    // The sound as long as the picture: padded with silence, or cut.
    if (length.seconds > 0)
        chain << QStringLiteral("atrim=end=") + secondsText(length.seconds);
    const QString source =
        facts.audioStream >= 0 ? QStringLiteral("[0:%1]").arg(facts.audioStream) : QString();
    return source + chain.join(QLatin1Char(',')) + QStringLiteral("[a]");
}

QStringList decodingThreads(const ThreadRequest &threads)
{
    if (threads.decoding <= 0)
        return {};
    return {QStringLiteral("-threads"), QString::number(threads.decoding),
            QStringLiteral("-filter_complex_threads"), QString::number(threads.decoding)};
}

QStringList inputArguments(const EncodeRequest &request, const QString &concatListPath)
{
    // Turning the picture upright is the caller's choice (it asks for it
    // with rotate=), so ffmpeg must not turn it a second time.
    const bool single = request.inputs.size() == 1;
    const QStringList allowed{QStringLiteral("-format_whitelist"), AllowedInputFormats(!single),
                              QStringLiteral("-protocol_whitelist"),
                              QString::fromLatin1(InputProtocols)};
    const QStringList input =
        single ? allowed + QStringList{QStringLiteral("-noautorotate"), QStringLiteral("-i"),
                                       fileUrl(request.inputs.first())}
               : QStringList{QStringLiteral("-f"), QStringLiteral("concat"),
                             QStringLiteral("-safe"), QStringLiteral("0")} +
                     allowed +
                     QStringList{QStringLiteral("-noautorotate"), QStringLiteral("-i"),
                                 fileUrl(concatListPath)};
    // Copied pictures keep only the times their files hold, and AVI holds
    // none for pictures shown out of order: they are worked out again.
    const QStringList times =
        request.video.copy ? QStringList{QStringLiteral("-fflags"), QStringLiteral("+genpts")}
                           : QStringList();
    return decodingThreads(request.threads) + times + input;
}

void addVideo(const EncodeRequest &request, const InputFacts &facts, const RunLength &length,
              QStringList &args, QStringList &graph)
{
    const VideoRequest &video = request.video;
    if (video.copy) {
        args << QStringLiteral("-map") << QStringLiteral("0:%1").arg(facts.videoStream)
             << QStringLiteral("-c:v") << QStringLiteral("copy");
        return;
    }
    graph << videoChain(request, facts, length);
    args << QStringLiteral("-map") << QStringLiteral("[v]") << video.encoderOptions;
    if (!video.aspect.isEmpty())
        args << QStringLiteral("-aspect") << video.aspect;
}

void addAudio(const EncodeRequest &request, const InputFacts &facts, const RunLength &length,
              const QString &loudnessFilter, QStringList &args, QStringList &graph)
{
    const AudioRequest &audio = request.audio;
    if (!audio.enabled) {
        args << QStringLiteral("-an");
        return;
    }
    if (audio.copy) {
        if (facts.audioStream >= 0)
            args << QStringLiteral("-map") << QStringLiteral("0:%1").arg(facts.audioStream)
                 << QStringLiteral("-c:a") << QStringLiteral("copy");
        return;
    }
    graph << audioChain(request, facts, length, loudnessFilter);
    args << QStringLiteral("-map") << QStringLiteral("[a]") << audio.encoderOptions;
    if (request.sampleRate > 0)
        args << QStringLiteral("-ar") << QString::number(request.sampleRate);
    if (request.channels > 0)
        args << QStringLiteral("-ac") << QString::number(request.channels);
    // Silence without a known end stops with the picture.
    if (length.seconds < 0 && facts.audioStream < 0)
        args << QStringLiteral("-shortest");
}

// The chapters' metadata file as ffmpeg's second input, read as that
// format only.
QStringList chapterInput(const QString &path)
{
    return {QStringLiteral("-f"),
            QStringLiteral("ffmetadata"),
            QStringLiteral("-format_whitelist"),
            QStringLiteral("ffmetadata"),
            QStringLiteral("-protocol_whitelist"),
            QString::fromLatin1(InputProtocols),
            QStringLiteral("-i"),
            fileUrl(path)};
}

// Each input starts where the ones before it end, as the concat list lays
// them down; a single input is one chapter as long as the run.
QString chapterFileText(const EncodeRequest &request, const QList<InputFacts> &inputs,
                        const RunLength &length, const QStringList &titles)
{
    QList<double> lengths;
    if (inputs.size() == 1)
        lengths << length.seconds;
    else
        for (const InputFacts &input : inputs)
            lengths << FileLength(request, input);
    return FfmetadataText(PlaceChapters(titles, lengths));
}

} // namespace

// How long a file lasts in a join. Copied sound is laid down packet after
// packet, its lead-in included; the next file waits for it, so that its
// sound still starts with its picture (the last picture is held a little
// longer instead).
double FileLength(const EncodeRequest &request, const InputFacts &input)
{
    if (request.audio.copy && request.audio.enabled)
        return std::max(input.pictureEnd, input.soundEnd);
    return input.pictureEnd;
}

QString ConcatListText(const QStringList &paths, const QList<double> &seconds)
{
    QString text = QStringLiteral("ffconcat version 1.0\n");
    for (int i = 0; i < paths.size(); ++i) {
        QString path = QFileInfo(paths.at(i)).absoluteFilePath();
        path.replace(QLatin1String("'"), QLatin1String("'\\''"));
        text += QStringLiteral("file '") + path + QStringLiteral("'\n");
        if (seconds.value(i, -1) > 0)
            text += QStringLiteral("duration ") + secondsText(seconds.at(i)) + QLatin1Char('\n');
    }
    return text;
}

FfmpegCommand BuildFfmpegCommand(const EncodeRequest &request, const QList<InputFacts> &inputs,
                                 const QString &concatListPath, const RunAdditions &additions)
{
    FfmpegCommand command;
    const InputFacts facts = joinedFacts(inputs);
    if (request.inputs.size() > 1) {
        QList<double> lengths;
        for (const InputFacts &input : inputs)
            lengths << FileLength(request, input);
        command.concatList = ConcatListText(request.inputs, lengths);
    }
    const RunLength length = runLength(request, facts);
    QStringList &args = command.arguments;
    // Frequent reports: the caller skips the first few reads of every run
    // (where a banner would be), and a short run must still move its bar.
    args << QStringLiteral("-nostdin") << QStringLiteral("-hide_banner")
         << QStringLiteral("-loglevel") << QStringLiteral("error") << QStringLiteral("-nostats")
         << QStringLiteral("-progress") << QStringLiteral("pipe:1")
         << QStringLiteral("-stats_period") << QStringLiteral("0.01") << QStringLiteral("-y")
         << inputArguments(request, concatListPath);
    const bool chapters =
        !additions.chapterTitles.isEmpty() && !additions.chapterFilePath.isEmpty();
    if (chapters) {
        command.chapterFile = chapterFileText(request, inputs, length, additions.chapterTitles);
        args << chapterInput(additions.chapterFilePath);
    }
    QStringList graph;
    QStringList streams;
    addVideo(request, facts, length, streams, graph);
    addAudio(request, facts, length, additions.loudnessFilter, streams, graph);
    if (chapters)
        streams << QStringLiteral("-map_chapters") << QStringLiteral("1");
    command.filterGraph = graph.join(QLatin1Char(';'));
    if (!graph.isEmpty())
        args << QStringLiteral("-filter_complex") << command.filterGraph;
    args << streams;
    if (request.threads.encoding > 0)
        args << QStringLiteral("-threads") << QString::number(request.threads.encoding);
    // Streams that start far apart must not overflow ffmpeg's waiting room.
    args << QStringLiteral("-max_muxing_queue_size") << QStringLiteral("4096");
    if (!request.muxer.isEmpty())
        args << QStringLiteral("-f") << request.muxer;
    if (request.fastStart)
        args << QStringLiteral("-movflags") << QStringLiteral("+faststart");
    args << fileUrl(request.output);
    return command;
}
