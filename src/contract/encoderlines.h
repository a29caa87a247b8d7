#pragma once

#include <QByteArray>
#include <QStringList>

#include <optional>

// The lines asapi.dll prints for the program to read. The encoder writes
// them and the job reads them, so both ends include this one file.

// The line the caller reads progress from: "Pos: <seconds>s <frames>f",
// with "." as the decimal point whatever the locale, and its newline.
QByteArray PositionLine(double seconds, qint64 frames);

// How much of an input a conversion could read, in seconds from the input's
// first timestamp (the later end of its picture and its sound), beside the
// length its file states (0 when it states none).
struct InputReading {
    double read = 0;
    double stated = 0;
};

// "Read: <read>s of <stated>s" and its newline, "." as the decimal point.
QByteArray ReadingLine(const InputReading &reading);

// The last reading among a run's last lines of output; none when the
// encoder printed none (a file it could not measure, or another encoder).
std::optional<InputReading> ReadingFromLines(const QStringList &lines);
