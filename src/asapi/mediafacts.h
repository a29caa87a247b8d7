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
};

// Reads `ffprobe -of json -show_streams -show_format`. Cover pictures are
// not the video; the first real picture and sound streams count.
InputFacts ParseProbeJson(const QByteArray &json);

// The ffprobe arguments for one input.
QStringList ProbeArguments(const QString &path);
