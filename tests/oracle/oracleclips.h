#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The clips the join oracle gives the program. Each is a flat grey of its
// own with a small patch that moves every frame, and a 400 Hz tone of its
// own loudness, so that every frame and every few milliseconds of the joined
// sound tell which clip they came from.
struct OracleClip {
    enum Shape {
        Plain,
        Wide,      // stored 720x576, shown 16:9: bars above and below in a 4:3 frame
        Portrait,  // stored landscape, flagged to be turned a quarter clockwise
        Irregular, // frames at uneven intervals, some missing, as phones record
    };

    QString name; // the extension picks the container
    int width = 320;
    int height = 240;
    int rateNum = 25;
    int rateDen = 1;
    int frames = 75; // before an irregular clip loses some
    int grey = 128;
    double amplitude = 0; // of the tone; 0: no sound at all
    int sampleRate = 44100;
    Shape shape = Plain;
    QStringList codecArgs; // ffmpeg's output options for codecs and container

    double seconds() const { return double(frames) * rateDen / rateNum; }
    // Pictures that differ from the one before them.
    int distinctFrames() const { return shape == Irregular ? frames - frames / 10 : frames; }
};

// Every clip of the joins, in join order. Neighbours differ widely in grey and
// in loudness, so each boundary is plain in both.
QList<OracleClip> OracleClips();

// Makes the clip with ffmpeg; false with the reason when it could not.
bool MakeOracleClip(const QString &path, const OracleClip &clip, QString *error);

// Runs a tool to its end; false with its last words when it failed.
bool RunTool(const QString &program, const QStringList &args, QString *error);
