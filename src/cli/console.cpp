#include "cli/console.h"

#include <cstdio>
#include <sys/ioctl.h>
#include <unistd.h>

Console::Console(bool quiet)
    : m_quiet(quiet)
    , m_terminal(::isatty(STDERR_FILENO) == 1)
{
}

void Console::error(const QString &text)
{
    endStatus();
    writeLine(prefix() + text);
}

void Console::note(const QString &text)
{
    if (m_quiet)
        return;
    endStatus();
    writeLine(prefix() + text);
}

void Console::status(const QString &line)
{
    if (m_quiet || line == m_lastStatus)
        return;
    m_lastStatus = line;
    if (!m_terminal) {
        writeLine(line);
        return;
    }
    // A line longer than the terminal would wrap, and the carriage return
    // would then rewrite only its last part.
    const int width = terminalWidth();
    const QString shown = width > 1 && line.size() >= width ? line.left(width - 1) : line;
    std::fputs("\r\x1b[K", stderr);
    std::fputs(shown.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    m_statusOpen = true;
}

void Console::endStatus()
{
    m_lastStatus.clear();
    if (!m_statusOpen)
        return;
    std::fputc('\n', stderr);
    std::fflush(stderr);
    m_statusOpen = false;
}

void Console::writeLine(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

int Console::terminalWidth() const
{
    winsize size{};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) != 0)
        return 0;
    return size.ws_col;
}
