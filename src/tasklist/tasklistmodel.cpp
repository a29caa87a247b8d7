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
    const Row &row = m_rows.at(index.row());
    if (index.column() == FileColumn)
        return row.caption;
    if (role == Qt::ToolTipRole)
        return {};
    return row.subItems[index.column() - LengthColumn];
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
    const Row &row = m_rows.at(index);
    if (selector == WholeRowSelector) {
        record.Caption = row.caption;
        for (int slot = 0; slot < TaskSubItemCount; ++slot)
            record.SubItems[slot] = row.subItems[slot];
        for (int i = 0; i < 6; ++i)
            record.Seconds[i] = TimeTextToSeconds(row.subItems[secondsSlot(i)]);
    } else if (selector == CaptionSelector) {
        record.Caption = row.caption;
    } else if (selector >= 0 && selector < TaskSubItemCount) {
        record.SubItems[selector] = row.subItems[selector];
        const int secondsIndex = secondsIndexOfSlot(selector);
        if (secondsIndex >= 0)
            record.Seconds[secondsIndex] = TimeTextToSeconds(row.subItems[selector]);
    }
}

void TaskListModel::SetItemData(int index, int selector, const ltvItemData &record)
{
    if (!isRow(index))
        return;
    Row &row = m_rows[index];
    if (selector == WholeRowSelector) {
        setCaption(row, record.Caption);
        for (int slot = 0; slot < TaskSubItemCount; ++slot)
            row.subItems[slot] = record.SubItems[slot];
        announceChange(index, FileColumn, StatusColumn);
    } else if (selector == CaptionSelector) {
        setCaption(row, record.Caption);
        announceChange(index, FileColumn, FileColumn);
    } else if (selector >= 0 && selector < TaskSubItemCount) {
        row.subItems[selector] = record.SubItems[selector];
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
    if (at < 0 || at > count())
        at = count();
    beginInsertRows(QModelIndex(), at, at);
    Row added;
    added.caption = caption;
    ++m_captionCounts[caption];
    m_rows.insert(at, added);
    endInsertRows();
    return at;
}

QList<ltvItemData> TaskListModel::rows() const
{
    QList<ltvItemData> records;
    records.reserve(count());
    for (int row = 0; row < count(); ++row) {
        records.append(ltvItemData());
        GetItemData(row, WholeRowSelector, records.last());
    }
    return records;
}

void TaskListModel::setRows(const QList<ltvItemData> &records)
{
    beginResetModel();
    m_rows.clear();
    m_captionCounts.clear();
    for (const ltvItemData &record : records) {
        Row row;
        row.caption = record.Caption;
        ++m_captionCounts[row.caption];
        for (int slot = 0; slot < TaskSubItemCount; ++slot)
            row.subItems[slot] = record.SubItems[slot];
        m_rows.append(row);
    }
    endResetModel();
}

void TaskListModel::removeTaskRows(int first, int count)
{
    const int last = first + count - 1;
    if (count <= 0 || !isRow(first) || !isRow(last))
        return;
    beginRemoveRows(QModelIndex(), first, last);
    for (int row = first; row <= last; ++row)
        forgetCaption(m_rows.at(row).caption);
    m_rows.remove(first, count);
    endRemoveRows();
}

void TaskListModel::rememberFacts(const QString &path, const ProbeResult &facts)
{
    m_facts.insert(path, facts);
}

bool TaskListModel::factsOf(const QString &path, ProbeResult &facts) const
{
    const auto found = m_facts.constFind(path);
    if (found == m_facts.constEnd())
        return false;
    facts = *found;
    return true;
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
    return isRow(row) ? m_rows.at(row).caption : QString();
}

QString TaskListModel::status(int row) const
{
    return isRow(row) ? m_rows.at(row).subItems[StatusSlot] : QString();
}

void TaskListModel::setStatus(int row, const QString &status)
{
    ltvItemData record;
    record.SubItems[StatusSlot] = status;
    SetItemData(row, StatusSlot, record);
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
void TaskListModel::setCaption(Row &row, const QString &caption)
{
    forgetCaption(row.caption);
    row.caption = caption;
    ++m_captionCounts[caption];
}

void TaskListModel::forgetCaption(const QString &caption)
{
    const auto found = m_captionCounts.find(caption);
    if (found != m_captionCounts.end() && --*found == 0)
        m_captionCounts.erase(found);
}
