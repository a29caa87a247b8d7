#pragma once

#include "libav.h"

#include <QList>
#include <QString>

#include <vector>

struct ChapterMark;

// The file a stream-copy join writes: its streams set up from the first
// input's, as ffmpeg sets up a copied stream, and packets written with the
// timestamp repairs ffmpeg makes before muxing, so that the file comes out
// as ffmpeg's own copy would.
class JoinOutput {
public:
    // Every call returns 0 or a libav error code; error() says what failed.
    // muxer empty: the format the file name calls for.
    int open(const QString &path, const QString &muxer);
    // A stream like source, with parameters (source's own, or as a
    // bitstream filter puts them); returns its index, < 0 on error.
    int addStream(const AVStream &source, const AVCodecParameters &parameters);
    // Chapters of the file, set before its header is written.
    int addChapters(const QList<ChapterMark> &marks);
    int writeHeader();
    // A packet of stream `stream`, timed in that stream's source's unit.
    int write(AVPacket &packet, int stream);
    int finish();

    size_t streamCount() const { return m_streams.size(); }
    AVRational sourceTimeBase(int stream) const { return m_streams.at(stream).sourceTimeBase; }
    QString error() const { return m_error; }

private:
    struct Stream {
        AVRational sourceTimeBase{0, 1};
        int64_t lastDts = AV_NOPTS_VALUE;
        int64_t lastDuration = 0;
    };

    int failed(int code, const QString &what);
    void repairTimestamps(AVPacket &packet, Stream &stream) const;

    libav::Output m_file;
    QString m_path;
    std::vector<Stream> m_streams;
    QString m_error;
};
