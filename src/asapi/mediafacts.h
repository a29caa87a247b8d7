#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What ffprobe tells of one input, as much as a run needs.
struct InputFacts {
    int videoStream = -1; // stream index, -1 without a picture
    int audioStream = -1; // stream index, -1 without sound
    // Seconds from the first timestamp of any stream (where ffmpeg starts
    // the input's timeline) to the end of the picture; < 0 when unknown.
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

// Reads `ffprobe -of json -show_streams -show_format`. Cover pictures are
// not the video; the first real picture and sound streams count.
InputFacts ParseProbeJson(const QByteArray &json);

// The ffprobe arguments for one input.
QStringList ProbeArguments(const QString &path);

// The ffprobe arguments that list the first and the last few of the sound's
// packets ("pts,duration" lines), and the end they give.
QStringList SoundPacketArguments(const QString &path, const InputFacts &facts);
double SoundEndFromPackets(const QByteArray &csv, const InputFacts &facts);
