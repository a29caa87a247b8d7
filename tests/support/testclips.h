#pragma once

#include <QString>
#include <QStringList>

// Real media made at test time with ffmpeg's test sources; nothing binary is
// committed. Returns false (and leaves no file) when ffmpeg fails.
struct ClipSpec {
    int width = 320;
    int height = 240;
    double seconds = 1.0;
    int fps = 25;
    bool audio = true;
    // The picture's codec as ffmpeg names it; by default one the file type
    // usually holds (MPEG-4 Part 2, MPEG-2 in MPEG files).
    const char *videoCodec = nullptr;
};

bool makeClip(const QString &path, const ClipSpec &shape);

// Runs ffmpeg quietly, overwriting its output; true when it succeeded.
bool runFfmpeg(const QStringList &args);

// The build's program directory (with its encoder link and profiles).
QString buildProgramDir();
// A file from tests/data.
QString testDataPath(const QString &name);
// Copies a file, creating the target's folder; true on success.
bool copyFileTo(const QString &from, const QString &to);
