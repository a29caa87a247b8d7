#pragma once

#include <QByteArray>
#include <QStringList>

#include <optional>

// The lines asapi.dll prints for the program to read. The encoder writes
// them and the job reads them, so both ends include this one file.

// The line the caller reads progress from: "Pos: <seconds>s <frames>f",
// with "." as the decimal point whatever the locale, and its newline.
QByteArray PositionLine(double seconds, qint64 frames);

// How much of an input a run could read, in seconds from the input's first
// timestamp (the later end of its picture and its sound), beside the length
// its file states (0 when it states none). input counts the run's inputs
// from 0.
struct InputReading {
    double read = 0;
    double stated = 0;
    int input = 0;
};

// "Read: #<input> <read>s of <stated>s" and its newline, "." as the
// decimal point.
QByteArray ReadingLine(const InputReading &reading);

// The readings among a run's last lines of output, the latest of each
// input, in input order; none when the encoder printed none (a file it
// could not measure, or another encoder).
QList<InputReading> ReadingsFromLines(const QStringList &lines);

// A join tells only of the inputs it read short by more than this many
// seconds, the least the program warns about, so that the lines of a long
// list of whole inputs do not push the others out of the output's tail.
constexpr double ReadingShortfallTold = 1.0;
