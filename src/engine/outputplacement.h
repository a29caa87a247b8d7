#pragma once

#include <QString>

// Putting a checked result in place. A job runs for minutes, and the output
// path may gain a file meanwhile (another job, a download, the user): the
// move at the end never replaces a file the job did not expect, and no two
// jobs ever end on the same name.

// Which file a path names: equal for the same file only. A path that names
// nothing has no identity.
struct FileIdentity {
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    bool operator==(const FileIdentity &other) const
    {
        return exists == other.exists && device == other.device && inode == other.inode;
    }
    bool operator!=(const FileIdentity &other) const { return !(*this == other); }
};

// The identity of what path names now, a link itself rather than its target.
FileIdentity IdentityOf(const QString &path);

enum class MoveResult { Moved, NameTaken, Failed };

// Moves from to to in one step, only while nothing is at to: NameTaken when
// something is (from is then left as it was).
MoveResult MoveWithoutReplacing(const QString &from, const QString &to);

// Moves from to the first renamed name of outputPath (FirstFreeRenamedPath)
// that is still free at the moment of the move. The name taken, or an empty
// text when the move failed.
QString MoveToFreeRenamedPath(const QString &from, const QString &outputPath,
                              const QString &outputExtension);

// Removes, in folder, the partial outputs (PartialOutputPath) of processes
// that have ended: a join that was killed could not remove its own. Partial
// outputs of running programs and every other file stay. The number removed.
int RemoveLeftoverPartialOutputs(const QString &folder);
