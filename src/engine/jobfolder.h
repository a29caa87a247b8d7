#pragma once

#include <QString>

// Every job keeps its temporaries in a folder of its own inside the temp
// folder, so that a job never writes over or deletes a file it did not make
// (the user's own "0.avi", another running job's temporaries). A marker file
// names the process that owns the folder; folders whose owner is gone are
// what a crash left behind and are removed at the next start.
class JobFolder {
public:
    JobFolder() = default;
    ~JobFolder() { remove(); }
    JobFolder(const JobFolder &) = delete;
    JobFolder &operator=(const JobFolder &) = delete;

    // Makes a new folder with a unique name inside tempFolder (which ends
    // with "/"); false when it cannot be made.
    bool create(const QString &tempFolder);
    // The folder with a trailing "/"; empty before create().
    QString path() const { return m_path; }
    // Removes the folder with everything in it. Safe to call again.
    void remove();

private:
    QString m_path;
};

// Whether no process of that id runs any more; a running one, or an id
// that is no process id, counts as not gone.
bool ProcessIsGone(qint64 pid);

// The name of the marker file in every job folder.
QString JobFolderMarkerName();

// Removes the job folders in tempFolder whose owner process has ended.
// Anything else in the temp folder is left alone. The number removed.
int RemoveLeftoverJobFolders(const QString &tempFolder);
