#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class Messages;
class QItemSelectionModel;
class TaskListModel;

// The operations on the task list: adding files (one by one, by folder, from
// a chooser, from a drop, from the start-up arguments), removing, clearing and
// moving rows. The rows live in the model; which rows are selected lives in
// the selection model, which a view shares (setModel(model()), then
// setSelectionModel(selectionModel())). A row counts as selected when any of
// its cells is.
//
// A file whose play time cannot be read is not added: a job computes its
// progress from the play time and the encoder cannot join what the media
// library cannot read. The user is told which file was left out; an intake
// of several files tells once, after the intake, listing all of them.
class TaskList : public QObject {
    Q_OBJECT
public:
    explicit TaskList(Messages *messages, QObject *parent = nullptr);

    TaskListModel *model() const { return m_model; }
    QItemSelectionModel *selectionModel() const { return m_selection; }

    // Adds one file without looking at its extension. False when nothing was
    // added (the user declined the duplicate, or the play time is unknown).
    bool AddTaskFile(const QString &path);
    // Adds the input files lying directly in the folder, sorted by name
    // without regard to case.
    void AddTaskFolder(const QString &folder);
    // Adds the files of a multi-select open dialog in the order it returns.
    void AddChosenFiles(const QStringList &dialogList);
    // Adds dropped names: folders by AddTaskFolder, input files by
    // AddTaskFile; anything else is skipped without a word.
    void AddDropped(const QStringList &names);
    // Takes the program's arguments (without the program's own name): files,
    // folders, or a first argument ending in ".tmp" naming a list file with one
    // entry per line.
    void TakeStartupArguments(const QStringList &args);

    void RemoveSelected();
    void Clear();
    void MoveUp();
    void MoveDown();

    // The caption of the lowest selected row; empty when none is selected.
    QString FirstSelectedCaption() const;
    bool hasSelection() const;
    int count() const;

    static QString refusedTitle() { return QStringLiteral("Not Added"); }
    static QString unreadableListTitle() { return QStringLiteral("List File Not Read"); }

signals:
    // Raised as a file is about to be added, before any question is asked.
    void fileAddingStarted();

private:
    bool addFile(const QString &path, QStringList &refused);
    void addFolder(const QString &folder, QStringList &refused);
    void addStartupEntry(const QString &entry, QStringList &refused);
    bool confirmDuplicate(const QString &path);
    bool readListFile(const QString &listFile, QStringList &entries);
    void tellRefused(const QStringList &refused);
    bool isRowSelected(int row) const;
    void moveSelection(int from, int to);
    void swapRows(int a, int b);

    Messages *m_messages;
    TaskListModel *m_model;
    QItemSelectionModel *m_selection;
};
