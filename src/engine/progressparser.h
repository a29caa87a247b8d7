#pragma once

#include "contract/encoderlines.h"

#include <QByteArray>
#include <QString>
#include <optional>

// Reading the encoder's "Pos:" status text and turning it into the two bars.

// The encoder's output is taken in reads of at most this many bytes; each
// read is one chunk.
constexpr qint64 MaxChunkBytes = 4095;
// The first chunks of every run are never parsed: they hold the encoder's
// banner and stream facts, not progress.
constexpr int UnparsedLeadingChunks = 20;

// What the caller tells a run about the bars.
struct ProgressParams {
    double currentSpan = 0;   // seconds that fill the current bar
    double totalSpan = 0;     // seconds of the whole job
    double doneSeconds = 0;   // seconds finished before this run
    int totalOffset = 0;      // percent added to the total bar
    bool forwardOnly = false; // a new position counts only if it is greater
};

// Both bars, always within 0..100.
struct ProgressBars {
    int current = 0;
    int total = 0;
    bool operator==(const ProgressBars &other) const
    {
        return current == other.current && total == other.total;
    }
    bool operator!=(const ProgressBars &other) const { return !(*this == other); }
};

// What one read means: its bytes up to the first zero byte.
QByteArrayView ChunkBytes(QByteArrayView bytes);
// The text of one read (ChunkBytes as text), for showing it.
QString ChunkText(QByteArrayView bytes);

// The position text after a chunk (LastPositionText of its bytes). A chunk
// holds the lines written since the last read, so its last position is the
// encoder's latest; the earlier ones are stale. A chunk without "Pos:" keeps
// the previous text. ParsePosition reads the text as seconds.
QString PositionTextFromChunk(QByteArrayView chunk, const QString &previousText);

// The position after a parse: unchanged when nothing parsed, and with
// forwardOnly unchanged unless the new value is greater.
double NextPosition(double position, std::optional<double> parsed, bool forwardOnly);

// Rounds to the nearest integer, halves to the even neighbour.
long double RoundHalfEven(long double value);

// The bars for a position. A bar whose span is 0 keeps its previous value;
// so does one whose value cannot be computed.
ProgressBars ComputeBars(double position, const ProgressParams &params,
                         const ProgressBars &previous);
