#include "outputtail.h"

OutputTail::OutputTail(int maxLines)
    : m_maxLines(maxLines)
{
}

namespace {

// A line longer than this keeps only its end: enough for any message.
constexpr qsizetype MaxLineBytes = 4096;

} // namespace

void OutputTail::append(const QByteArray &bytes)
{
    const char *data = bytes.constData();
    const qsizetype size = bytes.size();
    qsizetype start = 0;
    while (start < size) {
        qsizetype end = start;
        while (end < size && data[end] != '\r' && data[end] != '\n')
            ++end;
        m_line.append(data + start, end - start);
        if (m_line.size() > MaxLineBytes)
            m_line.remove(0, m_line.size() - MaxLineBytes);
        if (end == size)
            break;
        if (data[end] == '\n') {
            endLine();
        } else if (!m_line.isEmpty()) {
            m_lineOverwritten = m_line;
            m_line.clear();
        }
        start = end + 1;
    }
}

void OutputTail::endLine()
{
    const QByteArray line = m_line.isEmpty() ? m_lineOverwritten : m_line;
    m_line.clear();
    m_lineOverwritten.clear();
    if (line.trimmed().isEmpty())
        return;
    m_lines.append(line);
    if (m_lines.size() > m_maxLines)
        m_lines.removeFirst();
}

QStringList OutputTail::lastLines(int count) const
{
    QList<QByteArray> lines = m_lines;
    const QByteArray unfinished = m_line.isEmpty() ? m_lineOverwritten : m_line;
    if (!unfinished.trimmed().isEmpty())
        lines.append(unfinished);
    QStringList result;
    for (qsizetype i = qMax<qsizetype>(0, lines.size() - count); i < lines.size(); ++i)
        result << QString::fromLocal8Bit(lines[i]).trimmed();
    return result;
}
