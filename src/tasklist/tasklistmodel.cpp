#include "tasklist/tasklistmodel.h"

#include "tasklist/timetext.h"

#include <QMimeData>
#include <QUrl>

#include <algorithm>

namespace {

const QString RowsMimeType = QStringLiteral("application/x-brelvane-task-rows");

} // namespace

TaskListModel::TaskListModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

int TaskListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

int TaskListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TaskListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !isRow(index.row()))
        return {};
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const TaskRow &row = m_rows.at(index.row());
    if (index.column() == FileColumn)
        return row.path;
    if (role == Qt::ToolTipRole)
        return {};
    return TaskRowSlotText(row, index.column() - LengthColumn);
}

QVariant TaskListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case FileColumn:
        return tr("Input File");
    case LengthColumn:
        return tr("Length");
    case SizeColumn:
        return tr("Size");
    case StatusColumn:
        return tr("Status");
    default:
        return {};
    }
}

Qt::ItemFlags TaskListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    // Rows are chosen and dragged, never edited in place; a drop lands
    // between rows, never on one.
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren |
           Qt::ItemIsDragEnabled;
}

QStringList TaskListModel::mimeTypes() const
{
    return {RowsMimeType, QStringLiteral("text/uri-list")};
}

QMimeData *TaskListModel::mimeData(const QModelIndexList &indexes) const
{
    QList<int> rows;
    for (const QModelIndex &index : indexes) {
        if (index.isValid() && !rows.contains(index.row()))
            rows << index.row();
    }
    std::sort(rows.begin(), rows.end());
    QStringList numbers;
    for (int row : rows)
        numbers << QString::number(row);
    auto *data = new QMimeData;
    data->setData(RowsMimeType, numbers.join(QLatin1Char(' ')).toLatin1());
    return data;
}

bool TaskListModel::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int,
                                 const QModelIndex &parent)
{
    if (action == Qt::IgnoreAction || !data)
        return false;
    int at = parent.isValid() ? parent.row() : row;
    if (at < 0 || at > count())
        at = count();
    if (data->hasFormat(RowsMimeType)) {
        QList<int> rows;
        const QList<QByteArray> numbers = data->data(RowsMimeType).split(' ');
        for (const QByteArray &number : numbers) {
            bool ok = false;
            const int dragged = number.toInt(&ok);
            if (ok && isRow(dragged) && !rows.contains(dragged))
                rows << dragged;
        }
        std::sort(rows.begin(), rows.end());
        if (rows.isEmpty())
            return false;
        emit rowsDropped(rows, at);
        return true;
    }
    QStringList paths;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    if (paths.isEmpty())
        return false;
    emit filesDropped(paths, at);
    return true;
}

Qt::DropActions TaskListModel::supportedDropActions() const
{
    return Qt::MoveAction | Qt::CopyAction;
}

Qt::DropActions TaskListModel::supportedDragActions() const
{
    return Qt::MoveAction;
}

void TaskListModel::GetItemData(int index, int selector, ltvItemData &record) const
{
    if (!isRow(index))
        return;
    const TaskRow &row = m_rows.at(index);
    if (selector == WholeRowSelector) {
        record = RecordOfTaskRow(row);
    } else if (selector == CaptionSelector) {
        record.Caption = row.path;
    } else if (selector >= 0 && selector < TaskSubItemCount) {
        record.SubItems[selector] = TaskRowSlotText(row, selector);
        const int secondsIndex = secondsIndexOfSlot(selector);
        if (secondsIndex >= 0)
            record.Seconds[secondsIndex] = TimeTextToSeconds(record.SubItems[selector]);
    }
}

void TaskListModel::SetItemData(int index, int selector, const ltvItemData &record)
{
    if (!isRow(index))
        return;
    TaskRow &row = m_rows[index];
    if (selector == WholeRowSelector) {
        // A row that goes on naming the same file keeps its facts, and the
        // texts it is given are written over them.
        if (row.probed && row.path == record.Caption) {
            row.writtenTexts.clear();
            for (int slot = 0; slot < TaskSubItemCount; ++slot)
                SetTaskRowSlotText(row, slot, record.SubItems[slot]);
        } else {
            setCaption(row, record.Caption);
            row = TaskRowOfRecord(record);
        }
        announceChange(index, FileColumn, StatusColumn);
    } else if (selector == CaptionSelector) {
        setCaption(row, record.Caption);
        announceChange(index, FileColumn, FileColumn);
    } else if (selector >= 0 && selector < TaskSubItemCount) {
        SetTaskRowSlotText(row, selector, record.SubItems[selector]);
        const int column = columnOfSlot(selector);
        if (column >= 0)
            announceChange(index, column, column);
    }
}

int TaskListModel::appendRow(const QString &caption)
{
    return insertRowAt(count(), caption);
}

int TaskListModel::insertRowAt(int at, const QString &caption)
{
    ltvItemData empty;
    empty.Caption = caption;
    return insertTaskRows(at, {TaskRowOfRecord(empty)});
}

int TaskListModel::insertTaskRows(int at, const QList<TaskRow> &rows)
{
    if (at < 0 || at > count())
        at = count();
    if (rows.isEmpty())
        return at;
    beginInsertRows(QModelIndex(), at, at + int(rows.size()) - 1);
    for (const TaskRow &row : rows)
        ++m_captionCounts[row.path];
    m_rows.insert(at, rows.size(), TaskRow());
    std::copy(rows.begin(), rows.end(), m_rows.begin() + at);
    endInsertRows();
    return at;
}

void TaskListModel::swapTaskRows(int a, int b)
{
    if (!isRow(a) || !isRow(b))
        return;
    m_rows.swapItemsAt(a, b);
    announceChange(a, FileColumn, StatusColumn);
    announceChange(b, FileColumn, StatusColumn);
}

void TaskListModel::setRows(const QList<TaskRow> &rows)
{
    beginResetModel();
    m_rows = rows;
    m_captionCounts.clear();
    for (const TaskRow &row : rows)
        ++m_captionCounts[row.path];
    endResetModel();
}

void TaskListModel::removeTaskRows(int first, int count)
{
    const int last = first + count - 1;
    if (count <= 0 || !isRow(first) || !isRow(last))
        return;
    beginRemoveRows(QModelIndex(), first, last);
    for (int row = first; row <= last; ++row)
        forgetCaption(m_rows.at(row).path);
    m_rows.remove(first, count);
    endRemoveRows();
}

bool TaskListModel::factsOf(const QString &path, ProbeResult &facts) const
{
    if (!hasCaption(path))
        return false;
    for (const TaskRow &row : m_rows) {
        if (row.probed && row.path == path) {
            facts = row.facts;
            return true;
        }
    }
    return false;
}

void TaskListModel::clearRows()
{
    if (m_rows.isEmpty())
        return;
    beginRemoveRows(QModelIndex(), 0, count() - 1);
    m_rows.clear();
    m_captionCounts.clear();
    endRemoveRows();
}

QString TaskListModel::caption(int row) const
{
    return isRow(row) ? m_rows.at(row).path : QString();
}

QString TaskListModel::status(int row) const
{
    return isRow(row) ? TaskRowSlotText(m_rows.at(row), StatusSlot) : QString();
}

void TaskListModel::setStatus(int row, const QString &status)
{
    ltvItemData record;
    record.SubItems[StatusSlot] = status;
    SetItemData(row, StatusSlot, record);
}

void TaskListModel::setRowState(int row, RowState state)
{
    if (!isRow(row))
        return;
    TaskRow &changed = m_rows[row];
    changed.state = state;
    changed.writtenTexts.remove(StatusSlot);
    announceChange(row, StatusColumn, StatusColumn);
}

void TaskListModel::announceChange(int row, int firstColumn, int lastColumn)
{
    emit dataChanged(index(row, firstColumn), index(row, lastColumn));
}

int TaskListModel::columnOfSlot(int slot)
{
    return slot <= StatusSlot ? LengthColumn + slot : -1;
}

// Every row's caption is counted once, from its append to its removal.
void TaskListModel::setCaption(TaskRow &row, const QString &caption)
{
    forgetCaption(row.path);
    row.path = caption;
    ++m_captionCounts[caption];
}

void TaskListModel::forgetCaption(const QString &caption)
{
    const auto found = m_captionCounts.find(caption);
    if (found != m_captionCounts.end() && --*found == 0)
        m_captionCounts.erase(found);
}
