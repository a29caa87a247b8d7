#pragma once

#include "encoderrequest.h"
#include "mediafacts.h"

#include <QList>
#include <QString>
#include <QStringList>

// The ffmpeg run that does what a request asks.
struct FfmpegCommand {
    QStringList arguments;
    QString filterGraph; // empty when both streams are copied
    QString concatList;  // the list's text when several inputs are joined
    QString chapterFile; // ffmpeg's metadata file with the chapters; empty for none
};

// What the run adds from work done before ffmpeg starts.
struct RunAdditions {
    // A chapter per input with these titles, read by ffmpeg from the
    // metadata file written to chapterFilePath (FfmpegCommand::chapterFile).
    QStringList chapterTitles;
    QString chapterFilePath;
    // The sound's filter that evens out its loudness with the values
    // measured (LoudnormFilter); empty keeps the sound as it is.
    QString loudnessFilter;
};

// One input is read directly; several are read one after another through
// ffmpeg's concat demuxer from a list written to concatListPath, each file
// starting exactly where the pictures before it end. inputs holds the facts
// of request.inputs, in the same order.
FfmpegCommand BuildFfmpegCommand(const EncodeRequest &request, const QList<InputFacts> &inputs,
                                 const QString &concatListPath,
                                 const RunAdditions &additions = RunAdditions());

// How long an input lasts in a join: where the next one starts, in seconds
// after its start; < 0 when unknown.
double FileLength(const EncodeRequest &request, const InputFacts &input);

// An ffconcat list: each file (absolute) with its length when it is known.
QString ConcatListText(const QStringList &paths, const QList<double> &seconds);
