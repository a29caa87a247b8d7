#pragma once

#include "workingselection.h"

#include <QString>

#include <optional>

// A value a job would hand to the encoder and the encoder must not be given:
// the profile section (or the Output Settings box of that name) it comes from.
struct UnusableValue {
    QString section;
    QString text;
};

// The profile's values as the working selection picks them, read from the
// profile file once. Every option a job hands to the encoder is made from
// one of these (see optionbuilder.h): the conversions' picture, the join's
// sound and container, and the profile's one option string cannot disagree.
struct EncoderPieces {
    bool copyStreams = false; // the profile joins the inputs as they are
    QString outputType;       // the profile's "Type", e.g. "avi"
    bool fastStart = false;   // an MP4's or MOV's index first

    // The picture.
    QString videoCodec;
    QString videoBitrate;          // the Video Bitrate box's text
    QString constantQuality;       // a CRF; empty: the picture gets videoBitrate
    QString speed;                 // the codec's preset or speed; empty: its default
    std::optional<QString> aspect; // the display shape; nothing: automatic
    QString frameSize;             // "640:480", from the list or the manual fields
    QString frameRate;

    // The sound. audioCaption picks the encoder: "MP3", "PCM", or any other
    // caption for the general one with audioCodec and audioBitrate.
    QString audioCaption;
    QString audioCodec;
    QString audioBitrate; // at most 128 for "MP2" (when it is a whole number)
    QString mp3Mode;      // "vbr" takes mp3Quality, the others mp3Bitrate
    QString mp3Quality;
    QString mp3Bitrate;
    QString channels;
    QString sampleRate;

    // The first piece, in the order of the Output Settings boxes, that is
    // not of the form the encoder takes; nothing when all are, or when the
    // profile copies streams.
    std::optional<UnusableValue> unusable;
};

// The pieces of the selection and the profile file; a path where no file
// is gives every default.
EncoderPieces ReadEncoderPieces(const WorkingSelection &s, const QString &profilePath);

// Text that reads in full as a signed 32-bit whole number: an optional sign
// and decimal digits, nothing else.
std::optional<int> ReadWholeNumber(const QString &text);
