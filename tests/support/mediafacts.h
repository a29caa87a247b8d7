#pragma once

#include <QString>

// One fact MediaInfo tells of a file, as text ("" when it has none).
// streamKind: 0 general, 1 video, 2 audio.
QString MediaFact(const QString &path, int streamKind, const QString &parameter);

// The video stream's bit rate in kbit/s from its size and play time (for a
// file that tells no stream sizes, the whole file's rate); 0 when unknown. A joined file whose
// video froze after a few frames has almost no video data, whatever its play time says.
double VideoKbitPerSecond(const QString &path);
