#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

// What passes between the program and its encoder asapi.dll: where the
// encoder lives, the options its command lines are made of, and the lines it
// prints for the program to read. The encoder writes and reads them as the
// job reads and writes them, so both ends include this one file.

// The encoder's file name in the program directory.
QString EncoderFileName();
// The encoder of a program directory (which ends with "/").
QString EncoderPathIn(const QString &programDir);

// The encoder's options that take the next argument as their value ("-o",
// "-ovc", "-lavcopts"...). Any other argument that does not start with "-"
// names an input file.
bool IsValueOption(const QString &argument);
// Options taken without a value and without effect.
bool IsIgnoredFlag(const QString &argument);

// The line the caller reads progress from: "Pos: <seconds>s <frames>f",
// with "." as the decimal point whatever the locale, and its newline.
QByteArray PositionLine(double seconds, qint64 frames);

// The position text of the latest complete position line in some output:
// the text after its last "Pos:" up to just before the next "s". When the
// last "Pos:" is cut off before its "s", the one before it counts. Empty
// when every "Pos:" is cut off; nothing when the output holds no "Pos:".
std::optional<QString> LastPositionText(QByteArrayView output);

// A position text in seconds. The encoder always writes "." as the decimal
// point, so the user's locale is not asked. Blanks around it are ignored.
std::optional<double> ParsePosition(const QString &positionText);

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
