#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The forms of the values a command line may hand on to ffmpeg. Each value
// is read in full and given back built from what was read, so no text of a
// command line reaches ffmpeg's option or filter-graph parsers: a value can
// never add a filter, an option or a file.

// One or more of the digits 0 to 9 and nothing else: no sign, no blank, no
// other script's digits.
bool IsAsciiDigits(QStringView text);

// Decimal digits only (no sign, no blanks), from least to most.
std::optional<int> WholeNumberIn(const QString &text, int least, int most);

// A positive decimal number, "2" or "29.97", as its digits.
std::optional<QString> DecimalNumber(const QString &text);

// A frame rate: a decimal number or a fraction of two whole numbers
// ("30000/1001"), above 0.
std::optional<QString> RateText(const QString &text);

// A display shape: a decimal number ("2.35") or two of them with ":" or "/"
// between ("16:9", "4/3"), given as "W:H" or the number.
std::optional<QString> AspectText(const QString &text);

// The encoders and muxers a command line may name.
bool IsKnownVideoEncoder(const QString &name);
bool IsKnownAudioEncoder(const QString &name);
bool IsKnownMuxer(const QString &name);

// The constant-quality scale (CRF) of a video encoder, best first; nothing
// for an encoder that has none.
struct QualityScale {
    int best = 0;
    int worst = 0;
};
std::optional<QualityScale> ConstantQualityScale(const QString &encoder);

// The -lavcopts key of an encoder's speed choice: "preset" for a named
// preset (IsEncoderPreset), "speed" for a number (EncoderSpeed); empty for
// an encoder without one.
QString SpeedOptionKey(const QString &encoder);
bool IsEncoderPreset(const QString &encoder, const QString &preset);
std::optional<int> EncoderSpeed(const QString &encoder, const QString &text);

// Whether the encoder's pictures need a container that stores each
// picture's own time: AVI keeps none for pictures stored out of showing
// order (B-frames), so a copy out of it shows them in the wrong order.
bool NeedsTimedContainer(const QString &encoder);

// A path that ffmpeg and a list of files to join read as the one file it
// names: it holds no control character (a line break would end its line
// in the list and start another entry).
bool IsPlainPath(const QString &path);
