#include "progresstracker.h"

ProgressTracker::ProgressTracker(const ProgressParams &params, const ProgressBars &barsBefore,
                                 const QString &positionText)
    : m_params(params)
    , m_bars(barsBefore)
    , m_positionText(positionText)
{
}

bool ProgressTracker::takeChunk(QByteArrayView chunk)
{
    const bool parse = m_chunkCount >= UnparsedLeadingChunks;
    ++m_chunkCount;
    if (!parse)
        return false;
    m_positionText = PositionTextFromChunk(chunk, m_positionText);
    m_position = NextPosition(m_position, ParsePosition(m_positionText), m_params.forwardOnly);
    const ProgressBars bars = ComputeBars(m_position, m_params, m_bars);
    if (bars == m_bars)
        return false;
    m_bars = bars;
    return true;
}
