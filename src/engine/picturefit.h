#pragma once

#include <QString>

struct ProbeResult;

// The encoder's video filters that put one input into the common frame the
// way a player would show it: turned upright by its rotation flag, scaled to
// fit its display shape (non-square pixels included) and centred with black
// bars, never stretched.
//
// frameSize is the common frame as "W:H". A frame size that is not two
// positive whole numbers, or facts without a usable picture size, give plain
// "scale=<frameSize>", which fills the frame as before.
QString PictureFilter(const QString &frameSize, const ProbeResult &facts);
