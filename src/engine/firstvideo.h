#pragma once

#include "engine/startcheck.h"
#include "settings/encoderpieces.h"
#include "settings/encodervalues.h"

#include <QString>
#include <optional>

struct ProbeResult;

// "Same as the first video": the frame and the rate of a job taken from the
// first video's facts, as the media library states them. Both are read in
// full and checked here, so nothing of a file's own text reaches the encoder.

// The size the first video is shown at: its stored size, widened or
// narrowed to its display shape (non-square pixels), turned by its rotation
// flag and made even, as the 4:2:0 encoders need. Empty without a stated
// size, or when the size is outside 16..8192.
std::optional<FrameSize> FirstVideoFrame(const ProbeResult &facts);

// The first video's frame rate as the encoder's -ofps takes it. A rate
// within 1 % of a common one is that rate exactly ("29.970" is 30000/1001,
// a phone's varying 30.12 is 30), so that a join keeps it without drift;
// others are kept as stated. Empty when none is stated or it lies outside
// 1..240 pictures a second (a still picture, a broken header).
std::optional<QString> FirstVideoRate(const ProbeResult &facts);

// The common frame and rate of a job: the profile's choices, or the first
// video's where "Same as the first video" is chosen; empty where neither
// is usable.
struct JobPictureFormat {
    std::optional<FrameSize> frame;
    std::optional<QString> rate;
};
JobPictureFormat PictureFormatOfJob(const EncoderPieces &pieces, const ProbeResult &first);

// Start's refusal when the pieces take the first video's size or rate and
// the first video (firstPath) states none that can be used.
std::optional<StartRefusal> CheckFirstVideo(const EncoderPieces &pieces, const QString &firstPath,
                                            const ProbeResult &first);
