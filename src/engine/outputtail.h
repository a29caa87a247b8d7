#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QStringList>

// The last lines of the encoder's output, as a terminal would show them:
// the encoder rewrites its status line with carriage returns, so of such a
// line only its last non-empty state is kept. The lines live in a ring of
// fixed size, so memory stays bounded however long the run, and only the
// states that survive a chunk are copied; nothing becomes text until
// lastLines() is asked.
class OutputTail {
public:
    explicit OutputTail(int maxLines = 40);

    void append(QByteArrayView bytes);
    // The last lines, oldest first, at most count of them (the unfinished
    // line included); empty lines are left out.
    QStringList lastLines(int count) const;

private:
    void takePiece(QByteArrayView piece);
    void overwrite(QByteArrayView before);
    void endLine();

    QList<QByteArray> m_ring;     // the finished lines; m_next is the oldest once full
    qsizetype m_next = 0;         // where the next finished line goes
    qsizetype m_count = 0;        // how many of the ring hold a line
    QByteArray m_line;            // the line being written, since its last '\r'
    QByteArray m_lineOverwritten; // its last non-empty state before that '\r'
};
