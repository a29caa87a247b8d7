#pragma once

#include "platform/messages.h"

#include <QStringList>

class Console;

// The window's message boxes, on the terminal. Notices of a job's end
// ("Complete", "Cancel") are notes that --quiet leaves out; every other box
// tells of something that went wrong and is printed as an error. A question
// is asked on the terminal and read from standard input; with no terminal
// to ask on it is refused (answered No) and remembered as unanswered.
class TerminalMessages : public Messages {
public:
    // interruptFd is watched while waiting for an answer: a Ctrl+C then
    // answers No at once (-1: not watched).
    TerminalMessages(Console *console, int interruptFd);

    void inform(const QString &title, const QString &text) override;
    bool ask(const QString &title, const QString &text) override;
    void plain(const QString &title, const QString &text) override;

    // The titles of every box shown so far, in order.
    const QStringList &titles() const { return m_titles; }
    bool hasShown(const QString &title) const { return m_titles.contains(title); }
    // A question could not be asked, or the wait for its answer was cut
    // short by a signal.
    bool questionUnanswered() const { return m_unanswered; }

private:
    enum class Answer { Yes, No, None };
    Answer readAnswer() const;

    Console *m_console;
    int m_interruptFd;
    QStringList m_titles;
    bool m_unanswered = false;
};
