#pragma once

#include "encoderpieces.h"
#include "encodervalues.h"
#include "workingselection.h"

#include <QString>
#include <QStringList>

#include <optional>

// Turns the working selection and the loaded profile file into encoder
// options. Every option is made from the pieces ReadEncoderPieces reads
// (encoderpieces.h); the functions that take a profile path read the
// profile file once per call, and a path where no file is gives every
// default.

// The profile's one option string: " -ovc lavc -lavcopts <picture options>
// -oac <sound encoder> <its option flag> <its options> -channels <n>
// -vf scale=<frame size> -srate <rate>", one blank between neighbouring
// pieces even where a piece is empty.
QString EncoderOptions(const EncoderPieces &p);
QString BuildEncoderOptions(const WorkingSelection &s, const QString &profilePath);

// The frame size as the profile's list or the manual width and height give
// it, as text; "224" when the list has no value at the selected position.
QString BuildVideoSize(const WorkingSelection &s, const QString &profilePath);

// The frame every picture of a job is fitted into. The conversions encode
// the pictures the join only copies, so they take the join's size, whose
// default is 640:480 when the list has no value at the selected position
// (the text default above, a width alone, gives no frame). Empty when the
// size is not two whole numbers from 16 to 8192 (FindUnusableValue names it),
// and when the first video's size is chosen (BuildVideoSize gives
// SameAsFirstVideoValue; the job reads it from the video).
std::optional<FrameSize> BuildFrameSize(const WorkingSelection &s, const QString &profilePath);

// The first value of the selection and the profile, among those a job hands
// to the encoder, that is not of its form: a codec from the known
// encoders, whole numbers for bitrates, rates, channels and the MP3 quality,
// a display shape, a frame size. Nothing for a profile that copies streams.
std::optional<UnusableValue> FindUnusableValue(const WorkingSelection &s,
                                               const QString &profilePath);

// The profile's picture codec options as -lavcopts takes them
// ("vcodec=mpeg4:vbitrate=1200:mbd=2:autoaspect"): what a job's conversions
// encode the picture with, so that its join only copies the pictures.
QString PictureCodecOptions(const EncoderPieces &p);
QString BuildPictureCodecOptions(const WorkingSelection &s, const QString &profilePath);

// The options of a join whose temporaries already hold the profile's
// picture, beginning with " -ovc copy": the pictures copied, the sound
// encoded with the profile's options, and the container's muxer options. A
// copying profile gives CopyJoinOptions. As text, one blank between
// neighbouring pieces even where a piece is empty; as the encoder's
// arguments, without the empty pieces.
QString BuildJoinOptions(const WorkingSelection &s, const QString &profilePath);
QStringList JoinOptionArguments(const EncoderPieces &p);

// Both streams copied as they are. The general muxer picks the container by
// the output file's name, which keeps the inputs' own extension.
QString CopyJoinOptions();
QStringList CopyJoinArguments();

// The encoder writes AVI unless told otherwise, so every other output type
// needs its muxer named. Empty for "avi"; the type is compared lower-cased.
// fastStart puts an MP4's or MOV's index first (the profile's "Main"/"Fast
// Start"), so that playing can begin while the file still arrives.
QString ContainerOptions(const QString &outputType, bool fastStart = false);
QStringList ContainerArguments(const QString &outputType, bool fastStart = false);

// Whether the conversions must write temporaries that keep every picture's
// own time: the profile's codec stores pictures out of showing order, or
// AVI does not carry it (see NeedsTimedContainer).
bool NeedsTimedTemporaries(const EncoderPieces &p);

// False when the MP2 bitrate limit cannot be applied because the audio
// bitrate is no whole number; such options would reach the encoder
// unlimited, so a job refuses to join with them.
bool AudioBitrateAcceptable(const WorkingSelection &s);
