#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// What a save chooser returns: the chosen path and the filter it was chosen under.
struct SaveChoice {
    bool accepted = false;
    QString path;
    QString filter;
};

// The file and folder choosers. Filters are in the chooser's own form,
// e.g. "AVI Files (*.avi)".
class Choosers {
public:
    virtual ~Choosers() = default;

    // Several existing files; an empty list when the user cancelled.
    virtual QStringList chooseOpenFiles(QWidget *owner, const QStringList &filters,
                                        const QString &selectedFilter) = 0;
    // One file to write; startPath may name a file or be empty.
    virtual SaveChoice chooseSaveFile(QWidget *owner, const QStringList &filters,
                                      const QString &selectedFilter, const QString &startPath,
                                      const QString &defaultSuffix) = 0;
    // One folder; empty when the user cancelled.
    virtual QString chooseFolder(QWidget *owner, const QString &title,
                                 const QString &startFolder) = 0;
};
