#pragma once

#include "engine/startcheck.h"

#include <QString>
#include <optional>

// Whether the disks can hold what a job writes, told before anything runs:
// a disk that fills up half-way through costs the user the time spent and,
// without this check, once gave a short output reported as success.

struct SpaceNeed {
    double seconds = 0;      // the play time of all inputs
    double videoKbit = 0;    // the output's video bitrate
    bool temporaries = true; // false when the join copies the inputs as they are
};

// Estimated bytes: the temporaries (the output's pictures and uncompressed
// stereo sound) and the output (its video bitrate plus the sound).
qint64 TemporaryBytes(const SpaceNeed &need);
qint64 OutputBytes(const SpaceNeed &need);

// Bytes free on the disk that holds path, or of its nearest existing folder;
// -1 when that cannot be told.
qint64 FreeBytesAt(const QString &path);

// A refusal naming the folder, the space needed and the space free, when
// the temp folder's disk or the output's disk (both, when they are one)
// cannot hold the estimate.
std::optional<StartRefusal> CheckFreeSpace(const SpaceNeed &need, const QString &tempFolder,
                                           const QString &outputFolder);
