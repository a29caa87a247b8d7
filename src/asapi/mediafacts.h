#pragma once

#include <QList>

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
};

struct ProbedFile {
    double start = 0.0 / 0.0;
    double duration = 0.0 / 0.0;
    QList<ProbedStream> streams;
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

// Where reading the sound's last packets starts, in seconds: a long file is
// not read whole.
double SoundTailStart(const InputFacts &facts);
