#pragma once

#include "tasklist/mediaprobe.h"
#include "tasklist/taskitem.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>

// The only store of the task rows: each row is a caption (the input path)
// and exactly ten sub-item texts. Shown in four columns: the caption, then
// slots 0, 1 and 2 ("Input File", "Length", "Size", "Status").
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
    // never written. A row number out of range writes nothing.
    void SetItemData(int index, int selector, const ltvItemData &record);

    // Appends a row with the caption and ten empty sub-items; its row number.
    int appendRow(const QString &caption);
    void removeTaskRow(int row) { removeTaskRows(row, 1); }
    // Removes rows first to first + count - 1 in one step; nothing when any
    // of them is out of range.
    void removeTaskRows(int first, int count);
    void clearRows();
    // Inserts a row with the caption and ten empty sub-items before row at
    // (at the end when at is out of range); its row number.
    int insertRowAt(int at, const QString &caption);
    // Every row as a record (as GetItemData with the whole-row selector),
    // and the list replaced by such records, for an edit undone or redone.
    QList<ltvItemData> rows() const;
    void setRows(const QList<ltvItemData> &rows);

    int count() const { return static_cast<int>(m_rows.size()); }
    QString caption(int row) const;
    // Whether a row's caption is exactly path; a look-up, not a search.
    bool hasCaption(const QString &path) const { return m_captionCounts.contains(path); }
    QString status(int row) const;
    void setStatus(int row, const QString &status);

    // What the media library told about an input file when it was taken in,
    // kept by path so that it follows its row through every move; a job
    // needs it to fit the picture into the common frame.
    void rememberFacts(const QString &path, const ProbeResult &facts);
    // The remembered facts; false when the file was never probed here.
    bool factsOf(const QString &path, ProbeResult &facts) const;

signals:
    // Rows (ascending) dragged to the place before row at (count(): the end).
    void rowsDropped(const QList<int> &rows, int at);
    // Local files dropped on the list before row at.
    void filesDropped(const QStringList &paths, int at);

private:
    struct Row {
        QString caption;
        QString subItems[TaskSubItemCount];
    };

    bool isRow(int row) const { return row >= 0 && row < count(); }
    void announceChange(int row, int firstColumn, int lastColumn);
    static int columnOfSlot(int slot);
    void setCaption(Row &row, const QString &caption);
    void forgetCaption(const QString &caption);

    QList<Row> m_rows;
    QHash<QString, ProbeResult> m_facts;
    // How many rows have each caption.
    QHash<QString, int> m_captionCounts;
};
