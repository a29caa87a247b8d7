#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

class Messages;
class OrderedProbes;
struct ProbeResult;
class QItemSelectionModel;
class TaskListModel;

// The operations on the task list: adding files (one by one, by folder, from
// a chooser, from a drop, from the start-up arguments), removing, clearing and
// moving rows. The rows live in the model; which rows are selected lives in
// the selection model, which a view shares (setModel(model()), then
// setSelectionModel(selectionModel())). A row counts as selected when any of
// its cells is.
//
// Adding returns at once: the files are probed on worker threads and their
// rows appear in list order as their facts arrive, so a window stays
// responsive while a large folder comes in. Each file is asked about as its
// row would be added (the duplicate question), in list order.
//
// A file without a play time or without a picture is not added: a job
// computes its progress from the play time and the encoder cannot join what
// the media library cannot read. The user is told which file was left out;
// an intake of several files tells once, after its last file, listing them.
class TaskList : public QObject {
    Q_OBJECT
public:
    explicit TaskList(Messages *messages, QObject *parent = nullptr);

    TaskListModel *model() const { return m_model; }
    QItemSelectionModel *selectionModel() const { return m_selection; }

    // Adds one file without looking at its extension.
    void AddTaskFile(const QString &path);
    // Adds the input files lying directly in the folder, sorted by name
    // without regard to case.
    void AddTaskFolder(const QString &folder);
    // Adds the files of a multi-select open dialog in the order it returns.
    void AddChosenFiles(const QStringList &dialogList);
    // Adds dropped names: folders as AddTaskFolder, input files as
    // AddTaskFile; anything else is skipped without a word.
    void AddDropped(const QStringList &names);
    // Takes the program's arguments (without the program's own name): files,
    // folders, or a first argument ending in ".tmp" naming a list file with one
    // entry per line.
    void TakeStartupArguments(const QStringList &args);

    // True while added files are still being probed or asked about; the list
    // is not complete yet.
    bool isTakingIn() const;
    // Blocks until every file added so far is listed or refused; for callers
    // without a window (the command line).
    void waitForIntake();

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
    // Every file added so far is listed or refused, or Clear dropped the rest.
    void intakeFinished();

private:
    void takeProbed(const QString &path, const ProbeResult &probe);
    void endBatch();
    void appendFolderFiles(const QString &folder, QStringList &files);
    void appendStartupFiles(const QString &entry, QStringList &files);
    bool confirmDuplicate(const QString &path);
    bool readListFile(const QString &listFile, QStringList &entries);
    void tellRefused(const QStringList &refused);
    bool isRowSelected(int row) const;
    // Whether each row is selected, read from the selection's ranges once.
    std::vector<bool> selectedRows() const;
    void moveSelection(int from, int to);
    void swapRows(int a, int b);

    Messages *m_messages;
    TaskListModel *m_model;
    QItemSelectionModel *m_selection;
    OrderedProbes *m_probes;
    // The files of the batch being handed back that were refused so far.
    QStringList m_refused;
    // Counts Clear, so that a file whose question was up at the time is not
    // added after it.
    int m_clearings = 0;
};
