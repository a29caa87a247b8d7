#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

// The last lines of the encoder's output, as a terminal would show them:
// the encoder rewrites its status line with carriage returns, so of such a
// line only its last non-empty state is kept. Memory stays bounded however
// long the run.
class OutputTail {
public:
    explicit OutputTail(int maxLines = 40);

    void append(const QByteArray &bytes);
    // The last lines, oldest first, at most count of them (the unfinished
    // line included); empty lines are left out.
    QStringList lastLines(int count) const;

private:
    void endLine();

    int m_maxLines;
    QList<QByteArray> m_lines;
    QByteArray m_line;            // the line being written, since its last '\r'
    QByteArray m_lineOverwritten; // its last non-empty state before that '\r'
};
