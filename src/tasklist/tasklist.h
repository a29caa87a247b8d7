#pragma once

#include "platform/messages.h"
#include "tasklist/listhistory.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <deque>
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
//
// Every edit of the rows (an add, Delete, Clear, a move, a drag, a sort) can
// be undone and redone; the statuses a job writes are not edits.
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
    // As AddDropped, the rows going in before row at instead of at the end.
    void AddDroppedAt(const QStringList &names, int at);

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
    // Moves the rows (ascending) to the place before row at (count(): the
    // end), in their order; they stay selected.
    void MoveRowsTo(const QList<int> &rows, int at);

    // Name: by path, a run of digits by its value (clip2 before clip10);
    // Date: the file's last change, oldest first; PlayTime: shortest first.
    // Rows that tie keep their order.
    enum class SortKey { Name, Date, PlayTime };
    void SortBy(SortKey key);

    void Undo();
    void Redo();
    bool canUndo() const { return m_history.canUndo(); }
    bool canRedo() const { return m_history.canRedo(); }

    // The caption of the lowest selected row; empty when none is selected.
    QString FirstSelectedCaption() const;
    bool hasSelection() const;
    int count() const;

    static QString refusedTitle() { return tr("Not Added"); }
    static QString unreadableListTitle() { return tr("List File Not Read"); }

signals:
    // Raised as a file is about to be added, before any question is asked.
    void fileAddingStarted();
    // Every file added so far is listed or refused, or Clear dropped the rest.
    void intakeFinished();

private:
    void takeProbed(const QString &path, const ProbeResult &probe);
    void endBatch();
    void enqueue(const QStringList &files, int at = -1);
    // Runs an edit of the rows and keeps the list as it was for Undo, when
    // the edit changed anything.
    template <typename Edit> void recordEdit(Edit edit);
    void selectRows(int first, int count);
    bool askDuplicate();
    void appendFolderFiles(const QString &folder, QStringList &files);
    void appendStartupFiles(const QString &entry, QStringList &files);
    bool confirmDuplicate(const QString &path);
    bool readListFile(const QString &listFile, QStringList &entries);
    void tellRefused(const QStringList &refused);
    void tellUnreadableNames(const QString &folder, const QList<QByteArray> &names);
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
    ListHistory m_history;
    // An add is one edit however many rows it brings: true once the add
    // being handed back has recorded the list as it was before it.
    bool m_addRecorded = false;
    // Where each queued add puts its rows: -1 at the end, else before that
    // row; the front is the add being handed back.
    std::deque<int> m_addPlaces;
    int m_appendPlace = -1;
    // The "to all" answer to the duplicate question in the add being handed
    // back.
    Messages::Answer m_duplicateAnswer = Messages::Answer::Yes;
    bool m_duplicateAnswered = false;
};
