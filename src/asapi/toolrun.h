#pragma once

#include "mediafacts.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Running ffprobe and ffmpeg. This program has nothing else to do while
// they work, so it waits for them (blocking, never polling).

struct ToolResult {
    bool ok = false;
    QString error; // one line, when not ok
};

// Probes one input; an input without a picture is an error.
ToolResult ProbeInput(const QString &path, InputFacts &facts);

// Adds where the copied sound of an input ends (see InputFacts::soundEnd).
ToolResult ProbeSoundEnd(const QString &path, InputFacts &facts);

// Probes every input, and with soundEnds where its copied sound ends, into
// facts (in input order). An ffprobe run costs mostly its start-up, so
// several inputs are probed at once, one per core. The error is the first
// input's, in input order, that failed.
ToolResult ProbeInputs(const QStringList &paths, bool soundEnds, QList<InputFacts> &facts);

// Runs ffmpeg with its error lines passed straight to our standard error,
// printing a "Pos:" line on standard output for each progress report.
// afterFirstReport runs once, when ffmpeg has read its inputs' headers.
ToolResult RunFfmpeg(const QStringList &arguments, const std::function<void()> &afterFirstReport);
