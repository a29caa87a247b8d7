#pragma once

#include <QString>

// Standard error as brelvane-cli writes to it: messages as whole lines and,
// on a terminal, one status line that is rewritten in place until the next
// message or stage ends it. Elsewhere (a log file, a pipe) status lines are
// plain lines, so a log reads top to bottom.
class Console {
public:
    explicit Console(bool quiet);

    bool isQuiet() const { return m_quiet; }
    bool isTerminal() const { return m_terminal; }

    // Always printed.
    void error(const QString &text);
    // Printed unless quiet.
    void note(const QString &text);
    // The status line; unless quiet.
    void status(const QString &line);
    // Leaves the status line as it stands; what follows starts below it.
    void endStatus();

    // The program's name in front of every message.
    static QString prefix() { return QStringLiteral("brelvane-cli: "); }

private:
    void writeLine(const QString &text);
    int terminalWidth() const;

    bool m_quiet;
    bool m_terminal;
    bool m_statusOpen = false;
    QString m_lastStatus;
};
