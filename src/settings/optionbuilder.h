#pragma once

#include "workingselection.h"

#include <QString>

#include <optional>

// Turns the working selection and the loaded profile file into encoder
// options. The profile file is read once per call; a path where no file is
// gives every default.

// The frame size written after "scale=" in every conversion command line.
QString BuildVideoSize(const WorkingSelection &s, const QString &profilePath);

// The profile's picture codec options as -lavcopts takes them
// ("vcodec=mpeg4:vbitrate=1200:mbd=2:autoaspect"): what a job's conversions
// encode the picture with, so that its join only copies the pictures.
QString BuildPictureCodecOptions(const WorkingSelection &s, const QString &profilePath);

// The options of a join whose temporaries already hold the profile's
// picture, beginning with " -ovc copy": the pictures copied, the sound
// encoded with the profile's options, and the container's muxer options. A
// copying profile gives CopyJoinOptions.
QString BuildJoinOptions(const WorkingSelection &s, const QString &profilePath);

// Both streams copied as they are. The general muxer picks the container by
// the output file's name, which keeps the inputs' own extension.
QString CopyJoinOptions();

// The encoder writes AVI unless told otherwise, so every other output type
// needs its muxer named. Empty for "avi"; the type is compared lower-cased.
QString ContainerOptions(const QString &outputType);

// Text that reads in full as a signed 32-bit whole number: an optional sign
// and decimal digits, nothing else.
std::optional<int> ReadWholeNumber(const QString &text);

// False when the MP2 bitrate limit cannot be applied because the audio
// bitrate is no whole number; such options would reach the encoder
// unlimited, so a job refuses to join with them.
bool AudioBitrateAcceptable(const WorkingSelection &s);
