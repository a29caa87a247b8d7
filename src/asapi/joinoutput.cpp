#include "joinoutput.h"

#include "chapters.h"

#include <QFile>

#include <algorithm>
#include <cstring>

namespace {

// The codec tag is kept when the format knows it, or knows no tag of its
// own for the codec; else the format picks one.
uint32_t keptTag(const AVOutputFormat &format, const AVCodecParameters &parameters)
{
    unsigned ownTag = 0;
    if (!format.codec_tag ||
        av_codec_get_id(format.codec_tag, parameters.codec_tag) == parameters.codec_id ||
        !av_codec_get_tag2(format.codec_tag, parameters.codec_id, &ownTag))
        return parameters.codec_tag;
    return 0;
}

int copySideData(const AVStream &source, AVStream &stream)
{
    for (int i = 0; i < source.nb_side_data; ++i) {
        const AVPacketSideData &data = source.side_data[i];
        uint8_t *copy = av_stream_new_side_data(&stream, data.type, data.size);
        if (!copy)
            return AVERROR(ENOMEM);
        std::memcpy(copy, data.data, data.size);
    }
    return 0;
}

// What ffmpeg changes in a copied stream's parameters for the muxer's sake.
void adjustForMuxer(const AVStream &source, AVStream &stream)
{
    AVCodecParameters &parameters = *stream.codecpar;
    if (parameters.codec_type == AVMEDIA_TYPE_AUDIO) {
        const int align = parameters.block_align;
        if ((parameters.codec_id == AV_CODEC_ID_MP3 &&
             (align == 1 || align == 1152 || align == 576)) ||
            parameters.codec_id == AV_CODEC_ID_AC3)
            parameters.block_align = 0;
    } else if (parameters.codec_type == AVMEDIA_TYPE_VIDEO) {
        const AVRational shape = source.sample_aspect_ratio.num ? source.sample_aspect_ratio
                                                                : parameters.sample_aspect_ratio;
        stream.sample_aspect_ratio = parameters.sample_aspect_ratio = shape;
        stream.r_frame_rate = source.r_frame_rate;
    }
}

} // namespace

int JoinOutput::failed(int code, const QString &what)
{
    m_error = QStringLiteral("%1 %2: %3").arg(what, m_path, libav::errorText(code));
    return code;
}

int JoinOutput::open(const QString &path, const QString &muxer)
{
    m_path = path;
    const QByteArray url = "file:" + QFile::encodeName(path);
    const QByteArray format = muxer.toUtf8();
    AVFormatContext *context = nullptr;
    const int made = avformat_alloc_output_context2(
        &context, nullptr, format.isEmpty() ? nullptr : format.constData(), url.constData());
    if (made < 0)
        return failed(made, QStringLiteral("no output format for"));
    m_file.reset(context);
    libav::stopOnSignal(context);
    // ffmpeg's default: MPEG transport streams start their clock this far in.
    context->max_delay = 700000;
    if (context->oformat->flags & AVFMT_NOFILE)
        return 0;
    const int opened = avio_open2(&context->pb, url.constData(), AVIO_FLAG_WRITE,
                                  &context->interrupt_callback, nullptr);
    return opened < 0 ? failed(opened, QStringLiteral("cannot write")) : 0;
}

int JoinOutput::addStream(const AVStream &source, const AVCodecParameters &parameters)
{
    AVFormatContext &file = *m_file;
    AVStream *stream = avformat_new_stream(&file, nullptr);
    if (!stream)
        return failed(AVERROR(ENOMEM), QStringLiteral("cannot add a stream to"));
    int result = avcodec_parameters_copy(stream->codecpar, &parameters);
    if (result >= 0) {
        stream->codecpar->codec_tag = keptTag(*file.oformat, parameters);
        stream->avg_frame_rate = source.avg_frame_rate;
        result = avformat_transfer_internal_stream_timing_info(file.oformat, stream, &source,
                                                               AVFMT_TBCF_AUTO);
    }
    if (result >= 0 && (stream->time_base.num <= 0 || stream->time_base.den <= 0))
        stream->time_base = av_add_q(av_stream_get_codec_timebase(stream), AVRational{0, 1});
    if (result >= 0)
        result = copySideData(source, *stream);
    if (result >= 0)
        result = av_dict_copy(&stream->metadata, source.metadata, AV_DICT_DONT_OVERWRITE);
    if (result < 0)
        return failed(result, QStringLiteral("cannot add a stream to"));
    stream->disposition = source.disposition;
    adjustForMuxer(source, *stream);
    m_streams.push_back(Stream{source.time_base});
    return stream->index;
}

int JoinOutput::addChapters(const QList<ChapterMark> &marks)
{
    const int result = AddChapters(*m_file, marks);
    return result < 0 ? failed(result, QStringLiteral("cannot add chapters to")) : 0;
}

int JoinOutput::writeHeader()
{
    const int result = avformat_write_header(m_file.get(), nullptr);
    return result < 0 ? failed(result, QStringLiteral("cannot write")) : 0;
}

// ffmpeg's repairs: a decoding time after the showing time, and decoding
// times that do not rise, which muxers refuse.
void JoinOutput::repairTimestamps(AVPacket &packet, Stream &stream) const
{
    if (packet.dts == AV_NOPTS_VALUE && stream.lastDts != AV_NOPTS_VALUE)
        packet.dts = stream.lastDts + stream.lastDuration;
    if (packet.dts != AV_NOPTS_VALUE && packet.pts != AV_NOPTS_VALUE && packet.dts > packet.pts) {
        // The middle one of the two and the least the stream can take next.
        const int64_t low = std::min(packet.pts, packet.dts);
        const int64_t high = std::max(packet.pts, packet.dts);
        const int64_t next = stream.lastDts == AV_NOPTS_VALUE ? low : stream.lastDts + 1;
        packet.pts = packet.dts = std::clamp(next, low, high);
    }
    if (packet.dts == AV_NOPTS_VALUE || stream.lastDts == AV_NOPTS_VALUE)
        return;
    const int64_t least = stream.lastDts + !(m_file->oformat->flags & AVFMT_TS_NONSTRICT);
    if (packet.dts < least) {
        if (packet.pts >= packet.dts)
            packet.pts = std::max(packet.pts, least);
        packet.dts = least;
    }
}

int JoinOutput::write(AVPacket &packet, int stream)
{
    Stream &state = m_streams.at(static_cast<size_t>(stream));
    av_packet_rescale_ts(&packet, state.sourceTimeBase, m_file->streams[stream]->time_base);
    packet.stream_index = stream;
    if (!(m_file->oformat->flags & AVFMT_NOTIMESTAMPS))
        repairTimestamps(packet, state);
    state.lastDts = packet.dts;
    state.lastDuration = packet.duration;
    const int result = av_interleaved_write_frame(m_file.get(), &packet);
    return result < 0 ? failed(result, QStringLiteral("cannot write")) : 0;
}

int JoinOutput::finish()
{
    int result = av_write_trailer(m_file.get());
    if (result >= 0 && m_file->pb && !(m_file->oformat->flags & AVFMT_NOFILE))
        result = avio_closep(&m_file->pb);
    return result < 0 ? failed(result, QStringLiteral("cannot write")) : 0;
}
