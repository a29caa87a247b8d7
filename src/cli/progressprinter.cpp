#include "cli/progressprinter.h"

#include "cli/console.h"

#include <QCoreApplication>

ProgressPrinter::ProgressPrinter(Console *console, const QString &outputText)
    : m_console(console)
    , m_outputText(outputText)
{
}

void ProgressPrinter::DisableJobControls() {}

void ProgressPrinter::EnableJobControls()
{
    m_console->endStatus();
}

void ProgressPrinter::showProfileChoice(const QString &reason, const QString &detail)
{
    m_console->note(detail.isEmpty() ? reason : reason + QLatin1Char(' ') + detail);
}

void ProgressPrinter::setProcessTitle(const QString &text)
{
    if (text == m_title)
        return;
    // A new stage gets a line of its own; the last one stays as it ended.
    // The stage's next call (its file, or hiding the file) shows it.
    m_console->endStatus();
    m_title = text;
}

void ProgressPrinter::setConvertingFile(const QString &text)
{
    m_file = text;
    refresh();
}

void ProgressPrinter::setConvertingFileVisible(bool visible)
{
    m_fileVisible = visible;
    refresh();
}

void ProgressPrinter::setElapsedText(const QString &text)
{
    m_elapsed = text;
    refresh();
}

void ProgressPrinter::setRemainingText(const QString &text)
{
    m_remaining = text;
    refresh();
}

void ProgressPrinter::setCurrentProgress(int value, const QString &label)
{
    m_current = value;
    m_currentLabel = label;
    refresh();
}

void ProgressPrinter::setTotalProgress(int, const QString &label)
{
    m_totalLabel = label;
    refresh();
}

void ProgressPrinter::showProgressPanel(bool progress)
{
    m_panelShown = progress;
    if (progress)
        refresh();
    else
        m_console->endStatus();
}

QString ProgressPrinter::statusLine() const
{
    QString line = m_title;
    if (m_fileVisible && !m_file.isEmpty())
        line += QLatin1Char(' ') + m_file;
    line += QCoreApplication::translate("CliJoin", " | current ") + m_currentLabel +
            QCoreApplication::translate("CliJoin", " | total ") + m_totalLabel;
    if (!m_elapsed.isEmpty())
        line += QCoreApplication::translate("CliJoin", " | elapsed ") + m_elapsed;
    if (!m_remaining.isEmpty())
        line += QCoreApplication::translate("CliJoin", " | remaining ") + m_remaining;
    return line;
}

QString ProgressPrinter::runKey() const
{
    return m_title + QLatin1Char('\n') + (m_fileVisible ? m_file : QString());
}

bool ProgressPrinter::reachedMilestone()
{
    const int tenth = m_current / 10;
    if (runKey() != m_lastRunKey) {
        m_lastRunKey = runKey();
        m_lastTenth = tenth;
        return true;
    }
    // The current bar drops back to 0 once a file is done, before the next
    // file is named: that is no news.
    if (tenth <= m_lastTenth)
        return false;
    m_lastTenth = tenth;
    return true;
}

void ProgressPrinter::refresh()
{
    if (!m_panelShown || m_console->isQuiet())
        return;
    // Before the first file is named the conversion line would name none.
    if (m_fileVisible && m_file.isEmpty())
        return;
    if (m_console->isTerminal()) {
        m_console->status(statusLine());
        return;
    }
    if (reachedMilestone())
        m_console->status(statusLine());
}
