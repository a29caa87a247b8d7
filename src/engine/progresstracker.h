#pragma once

#include "progressparser.h"

#include <QString>

// The progress of one encoder run, chunk by chunk: counts the chunks, skips
// the leading ones, follows the position and keeps the bars.
class ProgressTracker {
public:
    // barsBefore: what the bars show when the run starts. positionText: the
    // stage's position text left by its previous run (it is not cleared
    // between the runs of a stage).
    ProgressTracker(const ProgressParams &params, const ProgressBars &barsBefore,
                    const QString &positionText = QString());

    // Takes one chunk, the bytes of one read; true when it changed the bars.
    bool takeChunk(QByteArrayView chunk);

    ProgressBars bars() const { return m_bars; }
    double position() const { return m_position; }
    QString positionText() const { return m_positionText; }
    int chunkCount() const { return m_chunkCount; }

private:
    ProgressParams m_params;
    ProgressBars m_bars;
    QString m_positionText;
    double m_position = 0;
    int m_chunkCount = 0;
};
