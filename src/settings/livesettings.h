#pragma once

#include <QString>
#include <QThread>

// One conversion per core: the encoder keeps about one core busy.
inline int DefaultConversionsAtOnce()
{
    return qMax(1, QThread::idealThreadCount());
}

// The preferences a job reads at the moment it needs them. The Settings
// dialog answers from its controls, so edits count at once.
class LiveSettings {
public:
    virtual ~LiveSettings() = default;
    virtual QString tempDir() const = 0;         // edtTempDir text, as shown
    virtual bool askBeforeOverwrite() const = 0; // rdbAsk
    virtual bool renameOutput() const = 0;       // rdbRename
    virtual bool overwriteOutput() const = 0;    // rdbOverWrite
    virtual bool turnOffWhenDone() const = 0;    // chkTurnoff
    virtual bool exitWhenDone() const = 0;       // chkExit
    virtual bool openFolderWhenDone() const = 0; // chkOpenDir
    // Whether a question may wait for an answer at the end of a job. A job
    // from the command line may run unattended, and its terminal shows the
    // progress: it decides without asking.
    virtual bool canAskDuringJob() const { return true; }
    // How many conversions may run at once: by default one per core.
    virtual int conversionsAtOnce() const { return DefaultConversionsAtOnce(); }
};
