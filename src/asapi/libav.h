#pragma once

// Owning handles for the libav objects this program uses, and the few
// helpers every caller of libav needs. libav is a C library: each object
// has its own way of being freed, and these handles make sure it is.

extern "C" {
#include <libavcodec/bsf.h>
#include <libavformat/avformat.h>
}

#include <QString>

#include <memory>

namespace libav {

struct InputCloser {
    void operator()(AVFormatContext *context) const { avformat_close_input(&context); }
};
// A file opened for reading.
using Input = std::unique_ptr<AVFormatContext, InputCloser>;

struct OutputCloser {
    void operator()(AVFormatContext *context) const;
};
// A file being written; closing it does not write the trailer.
using Output = std::unique_ptr<AVFormatContext, OutputCloser>;

struct PacketFreer {
    void operator()(AVPacket *packet) const { av_packet_free(&packet); }
};
using Packet = std::unique_ptr<AVPacket, PacketFreer>;

struct FilterFreer {
    void operator()(AVBSFContext *filter) const { av_bsf_free(&filter); }
};
using BitstreamFilter = std::unique_ptr<AVBSFContext, FilterFreer>;

// libav prints its errors only, as ffmpeg does with "-loglevel error".
void showErrorsOnly();

// libav says nothing of what this thread does: for reading that another
// run reports on already.
void quietOnThisThread();

// libav's words for an error code, as one line.
QString errorText(int code);

// Asks blocking reads and writes to give up once a stop signal arrived.
void stopOnSignal(AVFormatContext *context);

// Opens a local file and reads its streams' parameters; the error code
// when that fails.
int openInput(const QString &path, Input &input);

} // namespace libav
