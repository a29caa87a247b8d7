#pragma once

#include "settings/encodervalues.h"

#include <QString>
#include <QStringList>

struct ProbeResult;

// The encoder's command lines, as the arguments the encoder is started with
// (never through a shell) and, for showing them, as one text.

// The arguments as one text, each after a blank; a file (an argument that is
// neither an option nor an option's value, or the value of "-o") stands
// between double quotes, as does any argument that is empty or holds a blank
// or tab, so that SplitCommandLine gives the arguments back.
QString CommandText(const QStringList &arguments);

// A path between double quotes. Nothing inside is escaped.
QString QuoteArgument(const QString &path);

// A path that survives quoting: it holds no double quote, which would end
// the quoted run early and let the rest of the path become arguments.
bool IsQuotable(const QString &path);

// How a conversion encodes the picture. With the profile's own codec
// options the join only copies the pictures: each is decoded and encoded
// once, as a one-pass encode would. The threads are the conversion's share
// of the cores when several run at once (0: the encoder's choice).
struct ConversionPicture {
    QString codecOptions = QStringLiteral("vcodec=mpeg4:vqscale=2");
    int threads = 0;
    // Matroska in place of AVI: it keeps the time of every picture, which
    // codecs that store pictures out of showing order need (see
    // NeedsTimedTemporaries).
    bool timedContainer = false;
    // Every temporary has this rate, so that the join only lays the
    // pictures one after another.
    QString frameRate = QStringLiteral("30");
    // The sound brought to the program's loudness as it is converted
    // (" -af loudnorm"): each video is measured and evened out on its own.
    bool evenLoudness = false;
};

// ` "<input>" -o "<temp>" -oac pcm -srate 48000 -channels 2 -ovc lavc
//   -lavcopts <codec options>[:threads=N] [-lavdopts threads=N] -ofps <rate>
//   -vf <picture filter>,harddup`
//
// The temporaries are the program's own and never seen by the user, so they
// are made for an exact join rather than for size: uncompressed sound, whose
// length is exact to the sample (compressed sound runs tens of milliseconds
// past the picture, and the join would add these up), and every picture at
// one frame rate. The picture filter (see PictureFilter) fits the input into
// the common frame; without facts about the input it only scales to
// frame. "harddup" makes the encoder write every repeated frame as a real
// frame.
QStringList ConvertArguments(const QString &inputPath, const QString &tempPath,
                             const FrameSize &frame, const ProbeResult &facts,
                             const ConversionPicture &picture = ConversionPicture());
// The same without facts and with the default picture, as text.
QString ConvertCommandLine(const QString &inputPath, const QString &tempPath,
                           const FrameSize &frame);

// The join's options, each temporary (or input), then "-o" and the output.
//
// The options stand before the files because the encoder applies options
// written after the files to the last file only: the frame size, sample
// rate and channels would not reach the other temporaries.
QStringList JoinArguments(const QStringList &inputPaths, const QString &outputPath,
                          const QStringList &options);
// The same with the options as text (" -ovc ..."), as text.
QString JoinCommandLine(const QStringList &inputPaths, const QString &outputPath,
                        const QString &options);

// Splits a command line into arguments. Blanks and tabs outside double
// quotes separate arguments, several in a row as one; a double quote
// toggles the quoted run and is dropped, so `"a b"` is one argument and
// `""` an empty one. An unterminated quote runs to the end of the text.
QStringList SplitCommandLine(const QString &text);
