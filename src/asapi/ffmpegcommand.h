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
};

// One input is read directly; several are read one after another through
// ffmpeg's concat demuxer from a list written to concatListPath, each file
// starting exactly where the pictures before it end. inputs holds the facts
// of request.inputs, in the same order.
FfmpegCommand BuildFfmpegCommand(const EncodeRequest &request, const QList<InputFacts> &inputs,
                                 const QString &concatListPath);

// How long an input lasts in a join: where the next one starts, in seconds
// after its start; < 0 when unknown.
double FileLength(const EncodeRequest &request, const InputFacts &input);

// An ffconcat list: each file (absolute) with its length when it is known.
QString ConcatListText(const QStringList &paths, const QList<double> &seconds);
