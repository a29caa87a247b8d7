#pragma once

// What the job tests share: a window that records what the job shows, the
// settings and selection a window would start it with, and a program
// directory with an encoder.

#include "encodertestdir.h"

#include "frontend/jobpresenter.h"
#include "engine/job.h"
#include "engine/jobview.h"
#include "settings/workingselection.h"
#include "tasklist/tasklistmodel.h"

#include "fakeseams.h"

#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// Keeps the state a window would show, and a log of every call in order.
class RecordingJobView : public JobView {
public:
    QString outputFileText() const override { return outputText; }
    void setOutputFileText(const QString &text) override
    {
        outputText = text;
        log << QStringLiteral("output ") + text;
    }
    void focusTaskList() override { focus = QStringLiteral("list"); }
    void focusOutputFile() override { focus = QStringLiteral("output"); }
    void DisableJobControls() override { lockJobControls(true); }
    void EnableJobControls() override { lockJobControls(false); }
    void showStartInsteadOfStop() override
    {
        startShown = true;
        log << QStringLiteral("start shown");
    }
    void setProcessTitle(const QString &text) override
    {
        processTitle = text;
        log << QStringLiteral("title ") + text;
    }
    void setConvertingFile(const QString &text) override
    {
        if (text != convertingFile)
            log << QStringLiteral("file ") + text;
        convertingFile = text;
    }
    void setConvertingFileVisible(bool visible) override { convertingFileVisible = visible; }
    void setElapsedText(const QString &text) override { elapsedText = text; }
    void setRemainingText(const QString &text) override { remainingText = text; }
    void setCurrentProgress(int value, const QString &label) override
    {
        current = value;
        currentLabel = label;
        log << QStringLiteral("current ") + label;
    }
    void setTotalProgress(int value, const QString &label) override
    {
        total = value;
        totalLabel = label;
    }
    void showProgressPanel(bool progress) override
    {
        progressPanelShown = progress;
        log << (progress ? QStringLiteral("progress panel") : QStringLiteral("settings panel"));
    }
    void setEncoderOutput(const QString &text) override { encoderOutput = text; }
    void closeProgram() override
    {
        ++closeCalls;
        log << QStringLiteral("close");
    }

    QString outputText;
    QString profile;
    QString focus; // "list" or "output" after a focus move
    bool locked = false;
    bool startShown = true;
    QString processTitle, convertingFile;
    bool convertingFileVisible = false;
    QString elapsedText = QStringLiteral("00:00:00"), remainingText = QStringLiteral("00:00:00");
    int current = 0, total = 0;
    QString currentLabel, totalLabel;
    bool progressPanelShown = false;
    QString encoderOutput;
    int closeCalls = 0;
    QStringList log;

private:
    void lockJobControls(bool lock)
    {
        locked = lock;
        startShown = !lock;
        log << (lock ? QStringLiteral("lock") : QStringLiteral("unlock"));
    }
};

// The Settings dialog's values a job starts with.
struct KitSettings {
    QString temp;
    // Two at once, so every job test also runs conversions side by side
    // unless it asks for one at a time.
    int atOnce = 2;
    bool ask = true, rename = false;
    bool turnOff = false, exitDone = false, openFolder = false;
};

// The Output Settings dialog's values a job starts with.
struct FakeSelection {
    // The texts a dialog's OK would accept: every option then has its value,
    // as it must for the encoder to read the files that follow the options.
    WorkingSelection selection = [] {
        WorkingSelection s;
        s.videoBitrate = QStringLiteral("1200");
        s.audioBitrate = QStringLiteral("128");
        s.sampleRate = QStringLiteral("44100");
        return s;
    }();
    QString extension = QStringLiteral(".avi");
};

// One job with everything around it. Inputs and the output go to a work
// folder; the encoder runs from a temporary program directory whose
// temporaries folder is the default "temp".
class JobKit {
public:
    explicit JobKit(EncoderTestDir::Encoder encoder = EncoderTestDir::Fake);

    bool isValid() const { return m_program.isValid() && m_work.isValid(); }
    QString programDir() const { return m_program.path(); }
    QString workPath(const QString &name) const { return m_work.path() + QLatin1Char('/') + name; }
    // A file in the job's own folder inside the default temp folder (the
    // temp folder itself while no job has made its folder).
    QString tempPath(const QString &name) const;
    QString runLogPath() const { return workPath(QStringLiteral("runs.log")); }

    // A small input file with the given content, listed with a play time.
    QString addInput(const QString &name, const QByteArray &content,
                     const QString &lengthText = QStringLiteral("00:01:00"));
    // Lists a file that exists already.
    void addRow(const QString &path, const QString &lengthText, const QString &sizeText);

    // The request Start would make of the list and the values above.
    JobRequest request() const;
    // Start: true once the job runs, false once it was refused.
    bool start();
    void stop() { presenter->stop(); }
    // Starts the job and waits for its end; false when it did not end.
    bool runToEnd();
    // The arguments of every encoder run, in order.
    QList<QStringList> loggedRuns() const;
    QStringList statuses() const;

    TaskListModel tasks;
    KitSettings settings;
    FakeSelection selection;
    RecordingJobView view;
    FakeMessages messages;
    FakeShell shell;
    FakePowerOff power;
    std::unique_ptr<Job> job;
    std::unique_ptr<JobPresenter> presenter;
    QList<bool> endings;      // the presenter's ended() arguments
    QList<JobResult> results; // the job's finished() arguments
    QString encoderPath;      // the program directory's encoder by default
    MediaReader readMedia;    // reads nothing for the fake encoder

private:
    EncoderTestDir m_program;
    QTemporaryDir m_work;
};

// Steers the fake encoder for the runs of one test (see tests/fakeencoder).
void setFakeModes(const QString &modes, const QString &logPath, int paceMs = 0);

QByteArray readAll(const QString &path);
