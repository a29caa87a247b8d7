#pragma once

#include "settings/encodervalues.h"

#include <QString>

struct ProbeResult;

// The encoder's video filters that put one input into the common frame the
// way a player would show it: turned upright by its rotation flag, scaled to
// fit its display shape (non-square pixels included) and centred with black
// bars, never stretched.
//
// Facts without a usable picture size give plain "scale=W:H", which fills
// the frame. The filters are written from numbers only.
QString PictureFilter(const FrameSize &frame, const ProbeResult &facts);
