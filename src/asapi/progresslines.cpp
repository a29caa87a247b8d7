#include "progresslines.h"

#include <cmath>
#include <cstdio>

void PrintLine(const QByteArray &line)
{
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
    std::fflush(stdout);
}

QList<QByteArray> ProgressLines::take(const QByteArray &bytes)
{
    m_partial += bytes;
    QList<QByteArray> reports;
    qsizetype end = 0;
    while ((end = m_partial.indexOf('\n')) >= 0) {
        const QByteArray report = takeLine(m_partial.left(end).trimmed());
        m_partial.remove(0, end + 1);
        if (!report.isEmpty())
            reports << report;
    }
    return reports;
}

QByteArray ProgressLines::takeLine(const QByteArray &line)
{
    const qsizetype equals = line.indexOf('=');
    const QByteArray key = line.left(equals);
    const QByteArray value = line.mid(equals + 1);
    bool ok = false;
    if (key == "out_time_us") {
        // "N/A" before the first frame is out; keep what was known.
        const double micro = value.toDouble(&ok);
        if (ok && std::isfinite(micro))
            m_seconds = std::max(0.0, micro / 1e6);
    } else if (key == "frame") {
        const qint64 frames = value.toLongLong(&ok);
        if (ok)
            m_frames = frames;
    } else if (key == "progress") {
        return PositionLine(m_seconds, m_frames);
    }
    return QByteArray();
}
