#pragma once

#include "encoderrequest.h"
#include "mediafacts.h"
#include "toolresult.h"

#include <QList>
#include <QStringList>

// Joins request.inputs into request.output by copying their packets, each
// input placed where the ones before it end (FileLength), as ffmpeg's concat
// demuxer would place them, without running ffmpeg. Prints a "Pos:" line
// for every picture written. inputs holds the facts of request.inputs.
// With chapterTitles (one per input), each input is a chapter of the join.
ToolResult CopyJoin(const EncodeRequest &request, const QList<InputFacts> &inputs,
                    const QStringList &chapterTitles = QStringList());
