#pragma once

#include "engine/jobview.h"

class Console;

// The job's view on the terminal: the window's progress panel as one status
// line per stage, "<title> <file> | current N% | total N% | elapsed T |
// remaining T". On a terminal the line is rewritten as the job moves; in a
// log it is printed when the stage or the file changes and each time the
// current bar passes another tenth, so a log stays short.
//
// The window's controls that a command line has not (the output field, the
// focus, the locking of buttons) are kept as plain values.
class ProgressPrinter : public JobView {
public:
    ProgressPrinter(Console *console, const QString &outputText);

    QString outputFileText() const override { return m_outputText; }
    void setOutputFileText(const QString &text) override { m_outputText = text; }
    void focusTaskList() override {}
    void focusOutputFile() override {}

    void DisableJobControls() override;
    void EnableJobControls() override;
    void showStartInsteadOfStop() override {}

    void setProcessTitle(const QString &text) override;
    void setConvertingFile(const QString &text) override;
    void setConvertingFileVisible(bool visible) override;
    void setElapsedText(const QString &text) override;
    void setRemainingText(const QString &text) override;
    void setCurrentProgress(int value, const QString &label) override;
    void setTotalProgress(int value, const QString &label) override;
    void showProgressPanel(bool progress) override;
    void setEncoderOutput(const QString &) override {}
    // A line of its own, "<reason> <detail>".
    void showProfileChoice(const QString &reason, const QString &detail) override;
    // The after-completion actions never apply to the command line, so the
    // job never asks for this; there is no window to close anyway.
    void closeProgram() override {}

private:
    QString statusLine() const;
    // The stage and the file the current bar is about.
    QString runKey() const;
    // The moments a log gets a line: a new stage or file, another tenth of
    // the current bar.
    bool reachedMilestone();
    void refresh();

    Console *m_console;
    QString m_outputText;

    bool m_panelShown = false;
    QString m_title;
    QString m_file;
    bool m_fileVisible = true;
    QString m_elapsed;
    QString m_remaining;
    int m_current = 0;
    QString m_currentLabel;
    QString m_totalLabel;
    QString m_lastRunKey;
    int m_lastTenth = 0;
};
