#include "copyjoin.h"

#include "chapters.h"
#include "childprocess.h"
#include "ffmpegcommand.h"
#include "joinoutput.h"
#include "libav.h"
#include "progresslines.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

// The join's streams: the picture, then the sound when there is one.
constexpr int VideoOutput = 0;
constexpr int SoundOutput = 1;

// Where one of an input's streams goes in the join.
struct Route {
    int output = -1; // -1: left out
    // Puts the stream's parameter sets in front of its key frames, so that
    // inputs whose parameter sets differ still decode after a join.
    libav::BitstreamFilter filter;
};

// H.264 and HEVC as MP4 and Matroska keep them: in the header only.
bool keepsParameterSetsAside(const AVCodecParameters &parameters)
{
    if (parameters.codec_id != AV_CODEC_ID_H264 && parameters.codec_id != AV_CODEC_ID_HEVC)
        return false;
    const uint8_t *data = parameters.extradata;
    const int size = parameters.extradata_size;
    const bool startCode =
        (size >= 3 && data[0] == 0 && data[1] == 0 && data[2] == 1) ||
        (size >= 4 && data[0] == 0 && data[1] == 0 && data[2] == 0 && data[3] == 1);
    return size > 0 && !startCode;
}

int makeFilter(const AVStream &stream, libav::BitstreamFilter &filter)
{
    const AVBitStreamFilter *kind = av_bsf_get_by_name(
        stream.codecpar->codec_id == AV_CODEC_ID_H264 ? "h264_mp4toannexb" : "hevc_mp4toannexb");
    AVBSFContext *context = nullptr;
    int result = kind ? av_bsf_alloc(kind, &context) : AVERROR_BSF_NOT_FOUND;
    if (result < 0)
        return result;
    filter.reset(context);
    result = avcodec_parameters_copy(context->par_in, stream.codecpar);
    context->time_base_in = stream.time_base;
    return result < 0 ? result : av_bsf_init(context);
}

// What differs in an input reopened for copying from what was checked of
// it before the join began (a file replaced in between); empty when nothing.
QString changedStreams(const AVFormatContext &input, const InputFacts &facts, bool sound)
{
    const auto differs = [&input](int index, AVMediaType kind, int codec) {
        return index < 0 || index >= static_cast<int>(input.nb_streams) ||
               input.streams[index]->codecpar->codec_type != kind ||
               input.streams[index]->codecpar->codec_id != codec;
    };
    if (differs(facts.videoStream, AVMEDIA_TYPE_VIDEO, facts.videoCodec))
        return QStringLiteral("its picture stream");
    if (sound && facts.audioStream >= 0 &&
        differs(facts.audioStream, AVMEDIA_TYPE_AUDIO, facts.audioCodec))
        return QStringLiteral("its sound stream");
    return QString();
}

class Joiner {
public:
    Joiner(const EncodeRequest &request, const QList<InputFacts> &inputs,
           const QStringList &chapterTitles)
        : m_request(request)
        , m_facts(inputs)
        , m_chapterTitles(chapterTitles)
    {
    }
    ToolResult run();

private:
    ToolResult fail(const QString &error) const { return {false, error}; }
    ToolResult outputFailed() const { return fail(m_output.error()); }
    int routeStreams(const AVFormatContext &input, int index, std::vector<Route> &routes) const;
    ToolResult openOutput(const AVFormatContext &first, const std::vector<Route> &routes);
    ToolResult copyInput(int index);
    ToolResult copyPackets(AVFormatContext &input, std::vector<Route> &routes, const QString &path);
    int pass(AVPacket &packet, Route &route, const AVStream &from);
    int place(AVPacket &packet, int output, const AVStream &from);
    int hold(AVPacket &packet, int output, const AVStream &from);
    int placeHeld();
    int write(AVPacket &packet, int output, const AVStream &from);
    int64_t lengthOf(int index) const;
    double statedLengthOf(int index) const;
    void noteReading(int index);

    const EncodeRequest &m_request;
    const QList<InputFacts> &m_facts;
    const QStringList &m_chapterTitles;
    JoinOutput m_output;
    int64_t m_start = 0;     // where the input being copied starts, in µs
    int64_t m_fileStart = 0; // its own first timestamp, in µs
    int64_t m_seenEnd = 0;   // the end of its packets so far, in µs
    int64_t m_frames = 0;
    // ffmpeg starts the join's timeline at the earliest first timestamp of
    // its streams: the first input's packets wait until each stream has
    // shown its first.
    struct Held {
        libav::Packet packet;
        int output;
        const AVStream *from;
    };
    std::vector<Held> m_held;
    std::vector<int64_t> m_firstTimes; // per output stream, µs; NOPTS until seen
    int64_t m_timelineShift = AV_NOPTS_VALUE;
    // The inputs that could not be read to where their files say they end.
    QList<InputReading> m_shortInputs;
};

// A cut-off input leaves a gap in the join where the next one waits for
// its stated end: the caller tells the user.
void Joiner::noteReading(int index)
{
    const double seen = (m_seenEnd - m_fileStart) / 1e6;
    const std::optional<InputReading> reading =
        ReadingOf(m_facts.at(index), StreamEnds{seen, seen}, index);
    if (reading && reading->stated - reading->read > ReadingShortfallTold)
        m_shortInputs << *reading;
}

int Joiner::routeStreams(const AVFormatContext &input, int index, std::vector<Route> &routes) const
{
    const InputFacts &facts = m_facts.at(index);
    routes.resize(input.nb_streams);
    if (facts.videoStream < 0 || facts.videoStream >= static_cast<int>(input.nb_streams))
        return AVERROR_STREAM_NOT_FOUND;
    routes[static_cast<size_t>(facts.videoStream)].output = VideoOutput;
    const bool sound = m_request.audio.enabled && m_facts.first().audioStream >= 0;
    if (sound && facts.audioStream >= 0 && facts.audioStream < static_cast<int>(input.nb_streams))
        routes[static_cast<size_t>(facts.audioStream)].output = SoundOutput;
    const AVStream &video = *input.streams[facts.videoStream];
    if (m_request.inputs.size() > 1 && keepsParameterSetsAside(*video.codecpar))
        return makeFilter(video, routes[static_cast<size_t>(facts.videoStream)].filter);
    return 0;
}

ToolResult Joiner::openOutput(const AVFormatContext &first, const std::vector<Route> &routes)
{
    if (m_output.open(m_request.output, m_request.muxer) < 0)
        return outputFailed();
    // Video first, then sound, as ffmpeg maps them.
    for (const int wanted : {VideoOutput, SoundOutput}) {
        for (size_t i = 0; i < routes.size(); ++i) {
            if (routes[i].output != wanted)
                continue;
            const AVStream &source = *first.streams[i];
            const AVCodecParameters &parameters =
                routes[i].filter ? *routes[i].filter->par_out : *source.codecpar;
            if (m_output.addStream(source, parameters) < 0)
                return outputFailed();
        }
    }
    m_firstTimes.assign(m_output.streamCount(), AV_NOPTS_VALUE);
    // Before the header: MP4 and QuickTime make room for the chapters there.
    if (!m_chapterTitles.isEmpty()) {
        QList<double> lengths;
        for (int i = 0; i < m_facts.size(); ++i)
            lengths << statedLengthOf(i);
        if (m_output.addChapters(PlaceChapters(m_chapterTitles, lengths)) < 0)
            return outputFailed();
    }
    return m_output.writeHeader() < 0 ? outputFailed() : ToolResult{true, QString()};
}

int Joiner::place(AVPacket &packet, int output, const AVStream &from)
{
    return m_timelineShift == AV_NOPTS_VALUE ? hold(packet, output, from)
                                             : write(packet, output, from);
}

int Joiner::hold(AVPacket &packet, int output, const AVStream &from)
{
    int64_t &first = m_firstTimes.at(static_cast<size_t>(output));
    if (first == AV_NOPTS_VALUE && packet.pts != AV_NOPTS_VALUE)
        first = av_rescale_q(packet.pts, from.time_base, AV_TIME_BASE_Q) - m_fileStart;
    libav::Packet held(av_packet_alloc());
    if (!held)
        return AVERROR(ENOMEM);
    av_packet_move_ref(held.get(), &packet);
    m_held.push_back(Held{std::move(held), output, &from});
    const bool allSeen =
        std::find(m_firstTimes.begin(), m_firstTimes.end(), AV_NOPTS_VALUE) == m_firstTimes.end();
    // A stream that shows nothing for long does not hold the join up.
    return allSeen || m_held.size() >= 1024 ? placeHeld() : 0;
}

int Joiner::placeHeld()
{
    int64_t earliest = 0;
    bool any = false;
    for (const int64_t first : m_firstTimes) {
        if (first != AV_NOPTS_VALUE)
            earliest = any ? std::min(earliest, first) : first;
        any = any || first != AV_NOPTS_VALUE;
    }
    m_timelineShift = -earliest;
    int result = 0;
    for (Held &held : m_held) {
        if (result >= 0)
            result = write(*held.packet, held.output, *held.from);
    }
    m_held.clear();
    return result;
}

// The packet moved to its place in the join, and written.
int Joiner::write(AVPacket &packet, int output, const AVStream &from)
{
    // The stream's first packet must be a key frame, as ffmpeg's copy keeps it.
    if (output == VideoOutput && m_frames == 0 && !(packet.flags & AV_PKT_FLAG_KEY)) {
        av_packet_unref(&packet);
        return 0;
    }
    if (packet.pts != AV_NOPTS_VALUE)
        m_seenEnd = std::max(
            m_seenEnd, av_rescale_q(packet.pts + packet.duration, from.time_base, AV_TIME_BASE_Q));
    const int64_t shift =
        av_rescale_q(m_start - m_fileStart + m_timelineShift, AV_TIME_BASE_Q, from.time_base);
    if (packet.pts != AV_NOPTS_VALUE)
        packet.pts += shift;
    if (packet.dts != AV_NOPTS_VALUE)
        packet.dts += shift;
    av_packet_rescale_ts(&packet, from.time_base, m_output.sourceTimeBase(output));
    const bool picture = output == VideoOutput;
    const double seconds =
        packet.pts == AV_NOPTS_VALUE ? -1 : packet.pts * av_q2d(m_output.sourceTimeBase(output));
    const int result = m_output.write(packet, output);
    if (result >= 0 && picture) {
        ++m_frames;
        PrintLine(PositionLine(std::max(0.0, seconds), m_frames));
    }
    return result;
}

int Joiner::pass(AVPacket &packet, Route &route, const AVStream &from)
{
    if (!route.filter)
        return place(packet, route.output, from);
    int result = av_bsf_send_packet(route.filter.get(), &packet);
    while (result >= 0) {
        result = av_bsf_receive_packet(route.filter.get(), &packet);
        if (result >= 0)
            result = place(packet, route.output, from);
    }
    return result == AVERROR(EAGAIN) || result == AVERROR_EOF ? 0 : result;
}

// Where the next input starts, after this one's start: as the concat
// list's duration lines would place it.
int64_t Joiner::lengthOf(int index) const
{
    const double length = statedLengthOf(index);
    return length > 0 ? std::llround(length * 1e6) : m_seenEnd - m_fileStart;
}

// The length as the input's facts give it before it is read; <= 0 when
// they give none.
double Joiner::statedLengthOf(int index) const
{
    const double length = FileLength(m_request, m_facts.at(index));
    return length > 0 ? length : m_facts.at(index).length;
}

ToolResult Joiner::copyPackets(AVFormatContext &input, std::vector<Route> &routes,
                               const QString &path)
{
    const libav::Packet packet(av_packet_alloc());
    if (!packet)
        return fail(libav::errorText(AVERROR(ENOMEM)));
    while (StopSignalReceived() == 0) {
        const int read = av_read_frame(&input, packet.get());
        if (read == AVERROR_EOF)
            break;
        if (read < 0) {
            // What could be read is kept, as ffmpeg keeps it.
            std::fprintf(stderr, "%s: %s cannot be read to its end: %s\n",
                         EncoderFileName().toLocal8Bit().constData(),
                         QFile::encodeName(path).constData(),
                         libav::errorText(read).toLocal8Bit().constData());
            break;
        }
        // Streams that turn up after the header are not part of the join.
        const auto index = static_cast<size_t>(packet->stream_index);
        const int result = index < routes.size() && routes[index].output >= 0
                               ? pass(*packet, routes[index], *input.streams[index])
                               : 0;
        av_packet_unref(packet.get());
        if (result < 0 && m_output.error().isEmpty())
            return fail(
                QStringLiteral("%1 cannot be copied: %2").arg(path, libav::errorText(result)));
        if (result < 0)
            return outputFailed();
    }
    return {true, QString()};
}

ToolResult Joiner::copyInput(int index)
{
    const QString &path = m_request.inputs.at(index);
    libav::Input input;
    const int opened = libav::openInput(path, input);
    if (opened < 0)
        return fail(QStringLiteral("%1 cannot be read: %2").arg(path, libav::errorText(opened)));
    const QString changed = changedStreams(*input, m_facts.at(index), m_request.audio.enabled);
    if (!changed.isEmpty())
        return fail(QStringLiteral("%1 changed while it was joined: %2 is not the one checked")
                        .arg(path, changed));
    // Pictures shown out of order get the showing times their file may lack.
    input->flags |= AVFMT_FLAG_GENPTS;
    std::vector<Route> routes;
    const int routed = routeStreams(*input, index, routes);
    if (routed < 0)
        return fail(QStringLiteral("%1 cannot be copied: %2").arg(path, libav::errorText(routed)));
    if (index == 0) {
        const ToolResult ready = openOutput(*input, routes);
        if (!ready.ok)
            return ready;
    }
    m_fileStart = input->start_time == AV_NOPTS_VALUE ? 0 : input->start_time;
    m_seenEnd = m_fileStart;
    const ToolResult copied = copyPackets(*input, routes, path);
    if (!copied.ok)
        return copied;
    if (StopSignalReceived() != 0)
        return fail(QStringLiteral("the join was stopped"));
    if (!m_held.empty() && placeHeld() < 0)
        return outputFailed();
    noteReading(index);
    m_start += lengthOf(index);
    return {true, QString()};
}

ToolResult Joiner::run()
{
    for (int i = 0; i < m_request.inputs.size(); ++i) {
        const ToolResult copied = copyInput(i);
        if (!copied.ok)
            return copied;
    }
    if (m_output.finish() < 0)
        return outputFailed();
    for (const InputReading &reading : std::as_const(m_shortInputs))
        PrintLine(ReadingLine(reading));
    return {true, QString()};
}

} // namespace

ToolResult CopyJoin(const EncodeRequest &request, const QList<InputFacts> &inputs,
                    const QStringList &chapterTitles)
{
    return Joiner(request, inputs, chapterTitles).run();
}
