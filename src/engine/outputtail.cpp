#include "outputtail.h"

namespace {

// A line longer than this keeps only its end: enough for any message.
constexpr qsizetype MaxLineBytes = 4096;

bool isBlank(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\v' && c != '\f')
            return false;
    }
    return true;
}

QByteArrayView lastBytes(QByteArrayView bytes)
{
    return bytes.last(qMin(bytes.size(), MaxLineBytes));
}

void keepEnd(QByteArray &line)
{
    if (line.size() > MaxLineBytes)
        line.remove(0, line.size() - MaxLineBytes);
}

} // namespace

OutputTail::OutputTail(int maxLines)
    : m_ring(qMax(1, maxLines))
{
}

void OutputTail::append(QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const qsizetype newline = bytes.indexOf('\n');
        if (newline < 0) {
            takePiece(bytes);
            return;
        }
        takePiece(bytes.first(newline));
        endLine();
        bytes = bytes.sliced(newline + 1);
    }
}

// A piece holds no '\n'. Of its states between carriage returns only the
// last and the last non-empty one before it can still be shown.
void OutputTail::takePiece(QByteArrayView piece)
{
    const qsizetype lastReturn = piece.lastIndexOf('\r');
    if (lastReturn < 0) {
        m_line.append(lastBytes(piece));
        keepEnd(m_line);
        return;
    }
    overwrite(piece.first(lastReturn));
    m_line = lastBytes(piece.sliced(lastReturn + 1)).toByteArray();
}

// Finds the last non-empty state in `before` (the piece up to its last
// '\r'); the first state continues the line being written.
void OutputTail::overwrite(QByteArrayView before)
{
    qsizetype end = before.size();
    for (;;) {
        const qsizetype start = before.first(end).lastIndexOf('\r') + 1;
        if (start == 0) {
            m_line.append(before.first(end));
            keepEnd(m_line);
            if (!m_line.isEmpty())
                m_lineOverwritten = m_line;
            return;
        }
        if (end > start) {
            m_lineOverwritten = lastBytes(before.sliced(start, end - start)).toByteArray();
            return;
        }
        end = start - 1;
    }
}

void OutputTail::endLine()
{
    QByteArray line = m_line.isEmpty() ? m_lineOverwritten : m_line;
    m_line.clear();
    m_lineOverwritten.clear();
    if (isBlank(line))
        return;
    m_ring[m_next] = std::move(line);
    m_next = (m_next + 1) % m_ring.size();
    m_count = qMin(m_count + 1, m_ring.size());
}

QStringList OutputTail::lastLines(int count) const
{
    QList<QByteArrayView> lines;
    for (qsizetype i = m_count; i > 0; --i)
        lines << m_ring.at((m_next - i + m_ring.size()) % m_ring.size());
    const QByteArray &unfinished = m_line.isEmpty() ? m_lineOverwritten : m_line;
    if (!isBlank(unfinished))
        lines << unfinished;
    QStringList result;
    for (qsizetype i = qMax<qsizetype>(0, lines.size() - count); i < lines.size(); ++i)
        result << QString::fromLocal8Bit(lines[i]).trimmed();
    return result;
}
