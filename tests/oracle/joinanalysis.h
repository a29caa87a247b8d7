#pragma once

#include "oracleclips.h"

#include <QByteArray>
#include <QList>
#include <QString>

// A joined file as the oracle sees it: the picture at its frame rate,
// every frame shrunk to 64x48 grey, and the sound as one 8 kHz channel of
// 16-bit samples, both on the file's own timeline (a stream that starts late
// is padded at its start, as a player shows it).
struct DecodedJoin {
    QList<QByteArray> frames;
    QByteArray sound;
    double frameSeconds = 1.0 / 30;
    QString error; // why the file could not be read; then nothing else counts
};

DecodedJoin DecodeJoin(const QString &path, const QString &workDir, int frameRate = 30);

// Whether a clip kept its display shape in the joined frame, and what was seen.
struct ShapeVerdict {
    bool checked = false; // false when the clip was not in the join
    bool kept = false;
    QString seen;
};

// What the oracle measures, in milliseconds unless said otherwise. Boundary i
// lies between clip i and clip i + 1 of the join.
struct JoinFigures {
    QStringList clipNames;
    QList<double> pictureOffsets; // where the picture changes clip, less where the clips before end
    QList<double> syncGaps;       // where the sound changes clip, less where the picture does
    double expectedLength = 0;
    double lengthDrift = 0;      // the picture's length less the clips' sum
    double soundOverPicture = 0; // the sound's length less the picture's
    double movingPercent = 0;    // frames that differ from the one before, of those that should
    ShapeVerdict wide;
    ShapeVerdict portrait;

    int worstOffsetAt() const;
    int worstSyncAt() const;
    // One line with the figures developers quote, and one with every boundary.
    QString summary() const;
    QString boundaries() const;
};

JoinFigures MeasureJoin(const DecodedJoin &join, const QList<OracleClip> &clips);
