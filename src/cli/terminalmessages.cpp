#include "cli/terminalmessages.h"

#include "cli/console.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <poll.h>
#include <unistd.h>

namespace {

// Message texts may break lines the way the window's boxes do ("\n\r").
QString forTerminal(const QString &title, const QString &text)
{
    QString body = text;
    body.remove(QLatin1Char('\r'));
    return title + QStringLiteral(": ") + body;
}

bool isNotice(const QString &title)
{
    // The job's titles, in the language it speaks.
    return title == QCoreApplication::translate("Job", "Complete") ||
           title == QCoreApplication::translate("Job", "Cancel");
}

} // namespace

TerminalMessages::TerminalMessages(Console *console, int interruptFd)
    : m_console(console)
    , m_interruptFd(interruptFd)
{
}

void TerminalMessages::inform(const QString &title, const QString &text)
{
    m_titles << title;
    if (isNotice(title))
        m_console->note(forTerminal(title, text));
    else
        m_console->error(forTerminal(title, text));
}

void TerminalMessages::plain(const QString &title, const QString &text)
{
    m_titles << title;
    m_console->error(forTerminal(title, text));
}

bool TerminalMessages::ask(const QString &title, const QString &text)
{
    m_titles << title;
    if (::isatty(STDIN_FILENO) != 1) {
        m_console->error(forTerminal(title, text));
        m_console->error(QCoreApplication::translate(
            "CliJoin",
            "no answer: standard input is not a terminal, so the question is answered No"));
        m_unanswered = true;
        return false;
    }
    m_console->endStatus();
    std::fputs((Console::prefix() + forTerminal(title, text) + QStringLiteral(" [y/N] "))
                   .toLocal8Bit()
                   .constData(),
               stderr);
    std::fflush(stderr);
    const Answer answer = readAnswer();
    if (answer == Answer::None) {
        std::fputc('\n', stderr);
        m_unanswered = true;
    }
    return answer == Answer::Yes;
}

// One line from the terminal; None at its end, on a read error, or when a
// signal arrives first.
TerminalMessages::Answer TerminalMessages::readAnswer() const
{
    QByteArray line;
    for (;;) {
        pollfd watched[2] = {{STDIN_FILENO, POLLIN, 0}, {m_interruptFd, POLLIN, 0}};
        const nfds_t count = m_interruptFd >= 0 ? 2 : 1;
        if (::poll(watched, count, -1) < 0) {
            if (errno == EINTR)
                continue;
            return Answer::None;
        }
        if (count == 2 && (watched[1].revents & POLLIN))
            return Answer::None;
        char c = 0;
        if (::read(STDIN_FILENO, &c, 1) != 1)
            return Answer::None;
        if (c == '\n')
            break;
        line += c;
    }
    const QString answer = QString::fromLocal8Bit(line).trimmed().toLower();
    return answer == QLatin1String("y") || answer == QLatin1String("yes") ? Answer::Yes
                                                                          : Answer::No;
}
