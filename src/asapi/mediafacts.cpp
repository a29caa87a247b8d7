#include "mediafacts.h"

#include <algorithm>
#include <cmath>

namespace {

// Where a stream ends, from the file's first timestamp.
double streamEnd(const ProbedStream &stream, const ProbedFile &file)
{
    const double start = stream.start;
    const double length = stream.duration;
    if (!std::isnan(start) && !std::isnan(length) && length > 0)
        return start - (std::isnan(file.start) ? start : std::min(file.start, start)) + length;
    // Containers that keep no length per stream: the whole file's.
    return std::isnan(file.duration) || file.duration <= 0 ? -1 : file.duration;
}

} // namespace

InputFacts FactsOf(const ProbedFile &file)
{
    InputFacts facts;
    for (const ProbedStream &stream : file.streams) {
        if (stream.kind == ProbedStream::Video && !stream.cover && facts.videoStream < 0) {
            facts.videoStream = stream.index;
            facts.pictureEnd = streamEnd(stream, file);
            facts.videoCodec = stream.codec;
        } else if (stream.kind == ProbedStream::Audio && facts.audioStream < 0) {
            facts.audioStream = stream.index;
            facts.audioTimeBase = stream.timeBase;
            facts.statedSoundEnd = streamEnd(stream, file);
            facts.audioCodec = stream.codec;
        }
    }
    facts.start = std::isnan(file.start) ? 0 : file.start;
    facts.length = std::isnan(file.duration) ? -1 : file.duration;
    facts.lengthEstimated = file.durationEstimated;
    return facts;
}

double SoundTailStart(const InputFacts &facts)
{
    return std::max(0.0, facts.start + facts.length - 5);
}

double SoundEndFromPackets(const QList<SoundPacket> &packets, const InputFacts &facts)
{
    if (packets.isEmpty() || facts.audioTimeBase <= 0)
        return -1;
    qint64 first = packets.first().pts;
    qint64 last = first;
    qint64 frame = 0; // a whole packet's length; the last one may be cut short
    for (const SoundPacket &packet : packets) {
        first = std::min(first, packet.pts);
        last = std::max(last, packet.pts);
        frame = std::max(frame, packet.duration);
    }
    // The encoder's lead-in before the file's start is laid down too.
    const double begin = std::min(first * facts.audioTimeBase, facts.start);
    return (last + frame) * facts.audioTimeBase - begin;
}

std::optional<InputReading> ReadingOf(const InputFacts &facts, const StreamEnds &read, int input)
{
    const double seen = std::max(read.picture, facts.audioStream >= 0 ? read.sound : -1.0);
    if (seen < 0)
        return std::nullopt;
    const double stated =
        facts.lengthEstimated ? 0 : std::max({0.0, facts.pictureEnd, facts.statedSoundEnd});
    return InputReading{seen, stated, input};
}
