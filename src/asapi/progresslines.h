#pragma once

#include "contract/encoderlines.h"

#include <QByteArray>
#include <QList>

// Writes a line to standard output at once: the caller reads progress as it
// comes, and a buffered line would reach it late.
void PrintLine(const QByteArray &line);

// Turns ffmpeg's `-progress` reports (blocks of key=value lines, each ended
// by a "progress=" line) into the lines the caller reads progress from:
// position lines.
class ProgressLines {
public:
    // Takes the next piece of ffmpeg's output, which may end mid-line; returns
    // one line (with its newline) for every report the piece finished.
    QList<QByteArray> take(const QByteArray &bytes);

private:
    QByteArray takeLine(const QByteArray &line);

    QByteArray m_partial;
    double m_seconds = 0;
    qint64 m_frames = 0;
};
