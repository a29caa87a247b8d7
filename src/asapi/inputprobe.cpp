#include "inputprobe.h"

#include "childprocess.h"
#include "libav.h"

#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <vector>

namespace {

double seconds(int64_t time, double unit)
{
    return time == AV_NOPTS_VALUE ? NAN : time * unit;
}

ProbedFile probedFile(const AVFormatContext &context)
{
    ProbedFile file;
    file.start = seconds(context.start_time, 1.0 / AV_TIME_BASE);
    file.duration = seconds(context.duration, 1.0 / AV_TIME_BASE);
    file.durationEstimated = context.duration_estimation_method == AVFMT_DURATION_FROM_BITRATE;
    for (unsigned i = 0; i < context.nb_streams; ++i) {
        const AVStream &stream = *context.streams[i];
        ProbedStream probed;
        probed.index = stream.index;
        const AVMediaType type = stream.codecpar->codec_type;
        probed.kind = type == AVMEDIA_TYPE_VIDEO   ? ProbedStream::Video
                      : type == AVMEDIA_TYPE_AUDIO ? ProbedStream::Audio
                                                   : ProbedStream::Other;
        probed.cover = (stream.disposition & AV_DISPOSITION_ATTACHED_PIC) != 0;
        probed.timeBase = av_q2d(stream.time_base);
        probed.start = seconds(stream.start_time, probed.timeBase);
        probed.duration = seconds(stream.duration, probed.timeBase);
        probed.codec = stream.codecpar->codec_id;
        file.streams << probed;
    }
    return file;
}

// Reads packets until one of the sound's comes; false at the end.
bool readSound(AVFormatContext &context, int audio, AVPacket &packet)
{
    while (av_read_frame(&context, &packet) >= 0) {
        if (packet.stream_index == audio && packet.pts != AV_NOPTS_VALUE)
            return true;
        av_packet_unref(&packet);
    }
    return false;
}

// The sound's first packet and those of the last few seconds. A damaged
// file ends where it can no longer be read.
QList<SoundPacket> soundPackets(AVFormatContext &context, const InputFacts &facts)
{
    for (unsigned i = 0; i < context.nb_streams; ++i)
        context.streams[i]->discard =
            static_cast<int>(i) == facts.audioStream ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
    QList<SoundPacket> packets;
    const libav::Packet packet(av_packet_alloc());
    if (!packet || !readSound(context, facts.audioStream, *packet))
        return packets;
    packets << SoundPacket{packet->pts, packet->duration};
    av_packet_unref(packet.get());
    // Where the seek cannot go, the rest is read from here.
    const auto tail = static_cast<int64_t>(std::llround(SoundTailStart(facts) * AV_TIME_BASE));
    avformat_seek_file(&context, -1, -INT64_MAX, tail, INT64_MAX, 0);
    while (readSound(context, facts.audioStream, *packet)) {
        packets << SoundPacket{packet->pts, packet->duration};
        av_packet_unref(packet.get());
    }
    return packets;
}

// The end of a packet in seconds: decoding times stand in where a container
// keeps no showing times (AVI's pictures). NaN when it has neither.
double packetEnd(const AVPacket &packet, const AVStream &stream)
{
    const int64_t time = packet.pts != AV_NOPTS_VALUE ? packet.pts : packet.dts;
    if (time == AV_NOPTS_VALUE)
        return NAN;
    return (time + std::max<int64_t>(0, packet.duration)) * av_q2d(stream.time_base);
}

} // namespace

StreamEnds ReadStreamEnds(const QString &path, const InputFacts &facts)
{
    StreamEnds ends;
    libav::Input input;
    if (libav::openInput(path, input) < 0)
        return ends;
    for (unsigned i = 0; i < input->nb_streams; ++i) {
        const int index = static_cast<int>(i);
        input->streams[i]->discard = index == facts.videoStream || index == facts.audioStream
                                         ? AVDISCARD_DEFAULT
                                         : AVDISCARD_ALL;
    }
    const libav::Packet packet(av_packet_alloc());
    // A damaged file ends where it can no longer be read.
    while (packet && StopSignalReceived() == 0 && av_read_frame(input.get(), packet.get()) >= 0) {
        const double end = packetEnd(*packet, *input->streams[packet->stream_index]) - facts.start;
        const bool timed = !std::isnan(end);
        if (timed && packet->stream_index == facts.videoStream)
            ends.picture = std::max(ends.picture, end);
        else if (timed && packet->stream_index == facts.audioStream)
            ends.sound = std::max(ends.sound, end);
        av_packet_unref(packet.get());
    }
    return ends;
}

ToolResult ProbeInput(const QString &path, bool soundEnd, InputFacts &facts)
{
    if (!QFileInfo(path).isFile())
        return {false, QStringLiteral("File not found: ") + path};
    libav::Input input;
    const int opened = libav::openInput(path, input);
    if (opened < 0)
        return {false, QStringLiteral("%1 cannot be read: %2").arg(path, libav::errorText(opened))};
    facts = FactsOf(probedFile(*input));
    if (facts.videoStream < 0)
        return {false, QStringLiteral("%1 has no video stream").arg(path)};
    if (soundEnd && facts.audioStream >= 0)
        facts.soundEnd = SoundEndFromPackets(soundPackets(*input, facts), facts);
    return {true, QString()};
}

ToolResult ProbeInputs(const QStringList &paths, bool soundEnds, QList<InputFacts> &facts)
{
    const qsizetype count = paths.size();
    std::vector<InputFacts> found(static_cast<size_t>(count));
    std::vector<ToolResult> results(static_cast<size_t>(count));
    std::atomic<qsizetype> next{0};
    const auto probeNext = [&] {
        for (qsizetype i = next++; i < count; i = next++) {
            const auto at = static_cast<size_t>(i);
            results[at] = ProbeInput(paths.at(i), soundEnds, found[at]);
        }
    };
    const qsizetype workers = std::min<qsizetype>(count, std::max(2, QThread::idealThreadCount()));
    std::vector<std::unique_ptr<QThread>> threads;
    for (qsizetype w = 1; w < workers; ++w) {
        threads.emplace_back(QThread::create(probeNext));
        threads.back()->start();
    }
    probeNext();
    for (const std::unique_ptr<QThread> &thread : threads)
        thread->wait();
    facts.clear();
    for (size_t i = 0; i < found.size(); ++i) {
        if (!results[i].ok)
            return results[i];
        facts << found[i];
    }
    return {true, QString()};
}

QString CopyMismatch(const QStringList &paths, const QList<InputFacts> &facts, bool picture,
                     bool sound)
{
    const auto name = [](int codec) {
        return QString::fromLatin1(avcodec_get_name(static_cast<AVCodecID>(codec)));
    };
    for (int i = 1; i < facts.size(); ++i) {
        const InputFacts &first = facts.first();
        const InputFacts &input = facts.at(i);
        if (picture && input.videoCodec != first.videoCodec)
            return QStringLiteral("%1 cannot be copied after %2: its picture is %3, not %4")
                .arg(paths.at(i), paths.first(), name(input.videoCodec), name(first.videoCodec));
        if (sound && first.audioStream >= 0 && input.audioStream >= 0 &&
            input.audioCodec != first.audioCodec)
            return QStringLiteral("%1 cannot be copied after %2: its sound is %3, not %4")
                .arg(paths.at(i), paths.first(), name(input.audioCodec), name(first.audioCodec));
    }
    return QString();
}
