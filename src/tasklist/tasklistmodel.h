#pragma once

#include "tasklist/mediaprobe.h"
#include "tasklist/taskitem.h"
#include "tasklist/taskrow.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>

// The only store of the task rows, each a TaskRow: the input path, its media
// facts and its state. Shown in four columns, "Input File", "Length", "Size"
// and "Status": the path, then the texts of slots 0, 1 and 2 of the row's
// record (GetItemData), made from the play time, the frame size and the
// state as they are shown.
class TaskListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { FileColumn, LengthColumn, SizeColumn, StatusColumn, ColumnCount };

    explicit TaskListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Rows are dragged within the list as one block of row numbers, and
    // files from outside come as addresses; both go to whoever owns the
    // list (rowsDropped, filesDropped), which decides what becomes of them.
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;
    Qt::DropActions supportedDropActions() const override;
    Qt::DropActions supportedDragActions() const override;

    // Copies from row index into record: -2 caption, all sub-items and all
    // seconds; -1 caption; 0..9 that sub-item (and its seconds for 0, 5..9);
    // other selectors nothing. Fields not named keep what the record held.
    // A row number out of range copies nothing.
    void GetItemData(int index, int selector, ltvItemData &record) const;
    // Writes record into row index: -2 caption and all sub-items; -1 the
    // caption; 0..9 that sub-item; other selectors nothing. Seconds are
    // never written. A row number out of range writes nothing. The texts go
    // into the row's play time, frame size and state (SetTaskRowSlotText);
    // a whole row that keeps its caption keeps its file's other facts.
    void SetItemData(int index, int selector, const ltvItemData &record);

    // Appends a row with the caption and ten empty sub-items; its row number.
    int appendRow(const QString &caption);
    // Inserts rows before row at (at the end when at is out of range), in
    // one step; the number of the first.
    int insertTaskRows(int at, const QList<TaskRow> &rows);
    void removeTaskRow(int row) { removeTaskRows(row, 1); }
    // Rows a and b change places; views see both rows change, and which
    // rows are selected stays as it was.
    void swapTaskRows(int a, int b);
    // Removes rows first to first + count - 1 in one step; nothing when any
    // of them is out of range.
    void removeTaskRows(int first, int count);
    void clearRows();
    // Inserts a row with the caption and ten empty sub-items before row at
    // (at the end when at is out of range); its row number.
    int insertRowAt(int at, const QString &caption);
    // Every row, and the list replaced by rows (an edit, undone or redone).
    const QList<TaskRow> &rows() const { return m_rows; }
    void setRows(const QList<TaskRow> &rows);
    // A row; the row number must be in range.
    const TaskRow &row(int index) const { return m_rows.at(index); }

    int count() const { return static_cast<int>(m_rows.size()); }
    QString caption(int row) const;
    // Whether a row's caption is exactly path; a look-up, not a search.
    bool hasCaption(const QString &path) const { return m_captionCounts.contains(path); }
    // The Status text, and a text written as the status (a state's own
    // text sets the state).
    QString status(int row) const;
    void setStatus(int row, const QString &status);
    void setRowState(int row, RowState state);

    // The media library's facts of the first probed row of path; false
    // when no such row is listed. A search: a loop over the rows reads
    // row(i).facts instead.
    bool factsOf(const QString &path, ProbeResult &facts) const;

signals:
    // Rows (ascending) dragged to the place before row at (count(): the end).
    void rowsDropped(const QList<int> &rows, int at);
    // Local files dropped on the list before row at.
    void filesDropped(const QStringList &paths, int at);

private:
    bool isRow(int row) const { return row >= 0 && row < count(); }
    void announceChange(int row, int firstColumn, int lastColumn);
    static int columnOfSlot(int slot);
    void setCaption(TaskRow &row, const QString &caption);
    void forgetCaption(const QString &caption);

    QList<TaskRow> m_rows;
    // How many rows have each caption.
    QHash<QString, int> m_captionCounts;
};
