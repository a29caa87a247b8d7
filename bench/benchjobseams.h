#pragma once

// The seams a Job's front end needs, for benchmarks that run one in their
// own process: a window that shows nothing, a request of fixed settings,
// messages printed to the terminal, no shell and no power off.

#include "engine/jobrequest.h"
#include "engine/jobview.h"
#include "platform/messages.h"
#include "platform/poweroff.h"
#include "platform/shellopener.h"
#include "settings/workingselection.h"

#include <cstdio>

// A window that shows nothing: the job's calls still cost what they cost.
class QuietView : public JobView {
public:
    QString outputFileText() const override { return output; }
    void setOutputFileText(const QString &text) override { output = text; }
    void focusTaskList() override {}
    void focusOutputFile() override {}
    void DisableJobControls() override {}
    void EnableJobControls() override {}
    void showStartInsteadOfStop() override {}
    void setProcessTitle(const QString &) override {}
    void setConvertingFile(const QString &) override {}
    void setConvertingFileVisible(bool) override {}
    void setElapsedText(const QString &) override {}
    void setRemainingText(const QString &) override {}
    void setCurrentProgress(int, const QString &) override {}
    void setTotalProgress(int value, const QString &) override { total = value; }
    void showProgressPanel(bool) override {}
    void setEncoderOutput(const QString &) override {}
    void closeProgram() override {}

    QString output, profile;
    int total = 0;
};

// The messages are the only news of a job's end state; print them.
class PrintedMessages : public Messages {
public:
    void inform(const QString &title, const QString &text) override { tell(title, text); }
    bool ask(const QString &title, const QString &text) override
    {
        tell(title, text);
        return true;
    }
    void plain(const QString &title, const QString &text) override { tell(title, text); }
    void tell(const QString &title, const QString &text)
    {
        last = title;
        if (title != QLatin1String("Complete"))
            std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
    }
    QString last;
};

class NoShell : public ShellOpener {
public:
    bool open(const QString &) override { return false; }
};

class NoPowerOff : public PowerOff {
public:
    void powerOff() override {}
};

// The default profile's choices ("AVI - MPEG-4 and MP3") at a frame size
// "W:H".
WorkingSelection joiningSelection(const QString &frameSize);

// The request Start makes of the list with the view's profile and output:
// overwrite without asking, temporaries in tempDir, the program
// directory's encoder.
JobRequest benchRequest(const TaskListModel &tasks, const QuietView &view,
                        const WorkingSelection &selection, const QString &tempDir,
                        const QString &programDir);
