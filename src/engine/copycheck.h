#pragma once

#include "engine/jobplan.h"
#include "engine/startcheck.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Joining by copying the streams writes the inputs' own pictures and sound
// one after another into one file, which a player reads with one decoder set
// up once. That only works when the inputs agree in everything the container
// and the decoders are set up with.

// Where an input first differs from the first input: which fact, and the two
// values as the media library states them.
struct CopyDifference {
    int input = -1;
    QString fact; // "frame size", "sound codec"...
    QString found;
    QString expected;
};

// The first input, after the first, that differs from it in its container,
// in how its picture is coded and shown (codec, bit depth, chroma format,
// profile, frame size, pixel aspect, rotation, frame rate, field order), in
// any of its sound streams (codec, sample rate, channels and their layout)
// or in its count of picture and sound streams (facts in input order);
// nothing when all agree.
std::optional<CopyDifference> FirstCopyDifference(const QList<ProbeResult> &facts);

// Start's refusal when the inputs cannot be joined by copying: it names the
// first input that differs, and in what, and suggests reencodingProfile
// (when there is one) instead.
std::optional<StartRefusal> CheckCopyJoin(const QList<PlanInput> &inputs,
                                          const QString &reencodingProfile);

// The first profile of the program directory's catalogue that re-encodes;
// empty when there is none.
QString ReencodingProfile(const QString &programDir);

// How long an input lasts in a copy join: its picture and its sound are
// laid down as they lie in the file, whole packets, and the next input
// starts where the later of the two ends. The play time where the file
// states neither end.
double CopiedSeconds(const ProbeResult &facts);

// The extension a copy join's output takes: the first input's, "." included,
// as its name spells it.
QString CopyOutputExtension(const QString &firstInput);

// The rate of a copy join's output, in kilobits per second: the inputs' bytes
// over their play time (0 without one).
double CopiedKbitPerSecond(const QStringList &inputs, double seconds);
