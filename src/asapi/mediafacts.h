#pragma once

#include "contract/encoderlines.h"

#include <QList>

#include <optional>

// What an input holds, as much as a run needs.
struct InputFacts {
    int videoStream = -1; // stream index, -1 without a picture
    int audioStream = -1; // stream index, -1 without sound
    // Seconds from the first timestamp of any stream (where the input's
    // timeline starts) to the end of the picture; < 0 when unknown.
    double pictureEnd = -1;
    // Seconds from the same start to the end of the sound's packets as a
    // stream copy lays them down, one after another with the encoder's
    // lead-in; < 0 when unknown. Only read for stream-copy joins.
    double soundEnd = -1;
    // What reading the sound's packets needs: the stream's time unit in
    // seconds, the file's start, and its whole length.
    double audioTimeBase = 0;
    double start = 0;
    double length = -1;
    // Where the file states that its sound ends, from the same start as
    // pictureEnd; < 0 when unknown or without sound.
    double statedSoundEnd = -1;
    // Whether the file's length is only estimated from its size and bitrate.
    bool lengthEstimated = false;
    // The streams' codecs, as the media library numbers them; 0 when absent.
    int videoCodec = 0;
    int audioCodec = 0;
};

// What the media library reads from a file's head, in seconds; NaN where
// it does not know.
struct ProbedStream {
    enum Kind { Other, Video, Audio };
    int index = 0;
    Kind kind = Other;
    bool cover = false; // a picture attached to the file, not its video
    double start = 0.0 / 0.0;
    double duration = 0.0 / 0.0;
    double timeBase = 0;
    int codec = 0;
};

struct ProbedFile {
    double start = 0.0 / 0.0;
    double duration = 0.0 / 0.0;
    QList<ProbedStream> streams;
    bool durationEstimated = false; // from the size and bitrate only
};

// Cover pictures are not the video; the first real picture and sound
// streams count.
InputFacts FactsOf(const ProbedFile &file);

// One of the sound's packets, in its stream's time units.
struct SoundPacket {
    qint64 pts = 0;
    qint64 duration = 0;
};

// Where the sound ends, from its first packet and its last few.
double SoundEndFromPackets(const QList<SoundPacket> &packets, const InputFacts &facts);

// How far each stream could be read, in seconds from the file's first
// timestamp; < 0 when nothing of it was.
struct StreamEnds {
    double picture = -1;
    double sound = -1;
};

// How far the input could be read (the later end of its picture and its
// sound) beside the length its file states for the two; nothing when
// nothing could be read. A length the media library only estimated from
// the file's size and bitrate is not stated: it is 0 then.
std::optional<InputReading> ReadingOf(const InputFacts &facts, const StreamEnds &read, int input);

// Where reading the sound's last packets starts, in seconds: a long file is
// not read whole.
double SoundTailStart(const InputFacts &facts);
