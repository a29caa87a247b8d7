#pragma once

#include "toolresult.h"

#include <QStringList>

#include <functional>

// Running ffmpeg. This program has nothing else to do while it works, so
// it waits for it (blocking, never polling).

// Runs ffmpeg with its error lines passed straight to our standard error,
// printing a "Pos:" line on standard output for each progress report.
// afterFirstReport runs once, when ffmpeg has read its inputs' headers.
ToolResult RunFfmpeg(const QStringList &arguments, const std::function<void()> &afterFirstReport);

// The same with ffmpeg's messages kept in errors instead: for a run whose
// report (a measurement it prints) is read from them.
ToolResult RunFfmpegKeepingMessages(const QStringList &arguments, QByteArray &messages);
