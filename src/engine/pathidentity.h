#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// Telling whether two paths name the same file. A job compares every
// temporary and the output with every input; with thousands of inputs that
// must be a look-up, not a walk through the file system per pair.

// A key that is equal for two paths naming the same file: the canonical
// path of the file, or of its folder when only the folder exists.
QString PathIdentity(const QString &path);

// The identities of many paths, equal to PathIdentity's: each folder is
// resolved once, and a file's own name only when it is a symbolic link, so
// a path costs one look at the file rather than one per folder above it.
class PathIdentities {
public:
    QString of(const QString &path);

private:
    QString folderIdentity(const QString &absoluteFolder);

    // An absolute folder -> its canonical path; empty when it does not exist.
    QHash<QString, QString> m_folders;
};

// A list of paths, found again by the file they name.
class PathIndex {
public:
    explicit PathIndex(const QStringList &paths);

    // The first path of the list that names the same file as path; empty
    // when none does.
    QString pathNaming(const QString &path) { return pathWithIdentity(identityOf(path)); }
    QString pathWithIdentity(const QString &identity) const { return m_byIdentity.value(identity); }
    QString identityOf(const QString &path) { return m_identities.of(path); }

private:
    PathIdentities m_identities;
    QHash<QString, QString> m_byIdentity;
};
