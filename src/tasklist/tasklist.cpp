#include "tasklist/tasklist.h"

#include "platform/filepaths.h"
#include "platform/messages.h"
#include "tasklist/filenamebytes.h"
#include "tasklist/inputtypes.h"
#include "tasklist/mediaprobe.h"
#include "tasklist/naturalorder.h"
#include "tasklist/orderedprobes.h"
#include "tasklist/tasklistmodel.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QItemSelectionModel>

#include <algorithm>
#include <vector>

namespace {

bool lessIgnoringCase(const QString &a, const QString &b)
{
    const int order = QString::compare(a, b, Qt::CaseInsensitive);
    // Names equal but for case still get one fixed order.
    return order != 0 ? order < 0 : a < b;
}

QString duplicateTitle()
{
    return QCoreApplication::translate("TaskList", "Already Listed");
}

QString duplicateText()
{
    return QCoreApplication::translate(
        "TaskList",
        "This file has been added to the Task List already. Are you sure to add it again?");
}

// A relative argument is made absolute so that the row's caption is the
// file's full path, whatever folder the program works in later.
QString fullPathOf(const QString &entry)
{
    const QFileInfo info(entry);
    return info.isRelative() ? QDir::cleanPath(info.absoluteFilePath()) : entry;
}

// The refused names as the message lists them. A folder of hundreds would
// make a box taller than the screen.
QString refusedNamesText(const QStringList &refused)
{
    constexpr int shown = 20;
    QString text = refused.mid(0, shown).join(QLatin1Char('\n'));
    if (refused.size() > shown)
        text += QCoreApplication::translate("TaskList", "\n... and %1 more.")
                    .arg(refused.size() - shown);
    return text;
}

} // namespace

TaskList::TaskList(Messages *messages, QObject *parent)
    : QObject(parent)
    , m_messages(messages)
    , m_model(new TaskListModel(this))
    , m_selection(new QItemSelectionModel(m_model, this))
    , m_probes(new OrderedProbes(this))
{
    connect(m_probes, &OrderedProbes::probed, this, &TaskList::takeProbed);
    connect(m_probes, &OrderedProbes::batchDone, this, &TaskList::endBatch);
    connect(m_probes, &OrderedProbes::idle, this, &TaskList::intakeFinished);
    connect(m_model, &TaskListModel::rowsDropped, this, &TaskList::MoveRowsTo);
    connect(m_model, &TaskListModel::filesDropped, this, &TaskList::AddDroppedAt);
}

void TaskList::enqueue(const QStringList &files, int at)
{
    if (files.isEmpty())
        return;
    m_addPlaces.push_back(at);
    m_probes->enqueue(files);
}

template <typename Edit> void TaskList::recordEdit(Edit edit)
{
    const ListHistory::Rows before = m_model->rows();
    edit();
    // Rows still coming in after this edit are an add of their own.
    m_addRecorded = false;
    if (!ListHistory::same(before, m_model->rows()))
        m_history.record(before);
}

void TaskList::AddTaskFile(const QString &path)
{
    enqueue({path});
}

void TaskList::AddTaskFolder(const QString &folder)
{
    QStringList files;
    appendFolderFiles(folder, files);
    enqueue(files);
}

void TaskList::AddChosenFiles(const QStringList &dialogList)
{
    // The dialog returns the files in the user's own order, which is the
    // join order the user meant.
    enqueue(dialogList);
}

void TaskList::AddDropped(const QStringList &names)
{
    AddDroppedAt(names, -1);
}

void TaskList::AddDroppedAt(const QStringList &names, int at)
{
    QStringList files;
    for (const QString &name : names) {
        if (name.isEmpty())
            continue;
        if (QFileInfo(name).isDir())
            appendFolderFiles(name, files);
        else if (IsSupportedExt(name))
            files << name;
    }
    enqueue(files, at);
}

void TaskList::TakeStartupArguments(const QStringList &args)
{
    if (args.isEmpty())
        return;
    QStringList entries = args;
    if (LowerCasedExtension(args.first()) == QLatin1String(".tmp")) {
        entries.clear();
        if (!readListFile(args.first(), entries)) {
            m_messages->inform(unreadableListTitle(),
                               tr("The list file \"%1\" could not be read, so no "
                                  "files were added from it.")
                                   .arg(args.first()));
        }
    }
    QStringList files;
    for (const QString &entry : qAsConst(entries))
        appendStartupFiles(entry, files);
    enqueue(files);
}

bool TaskList::isTakingIn() const
{
    return m_probes->isBusy();
}

void TaskList::waitForIntake()
{
    m_probes->waitForAll();
}

void TaskList::RemoveSelected()
{
    recordEdit([this] {
        // Each run of selected rows goes in one step: one at a time, every
        // removal would move the rows below it and the view's and selection's
        // bookkeeping of them, for every row of a large selection.
        const std::vector<bool> selected = selectedRows();
        for (int last = count() - 1; last >= 0; --last) {
            if (!selected[size_t(last)])
                continue;
            int first = last;
            while (first > 0 && selected[size_t(first - 1)])
                --first;
            m_model->removeTaskRows(first, last - first + 1);
            last = first;
        }
    });
}

void TaskList::Clear()
{
    recordEdit([this] {
        // Files still coming in were meant for the list being cleared.
        m_refused.clear();
        ++m_clearings;
        m_model->clearRows();
        m_probes->cancel();
        m_addPlaces.clear();
        m_duplicateAnswered = false;
    });
}

void TaskList::MoveUp()
{
    if (!hasSelection())
        return;
    recordEdit([this] {
        for (int row = 1; row < count(); ++row) {
            if (isRowSelected(row)) {
                swapRows(row, row - 1);
                moveSelection(row, row - 1);
            }
        }
    });
}

void TaskList::MoveDown()
{
    if (!hasSelection())
        return;
    recordEdit([this] {
        for (int row = count() - 2; row >= 0; --row) {
            if (isRowSelected(row)) {
                swapRows(row, row + 1);
                moveSelection(row, row + 1);
            }
        }
    });
}

void TaskList::MoveRowsTo(const QList<int> &rows, int at)
{
    if (rows.isEmpty())
        return;
    recordEdit([&] {
        const ListHistory::Rows all = m_model->rows();
        ListHistory::Rows moved;
        ListHistory::Rows others;
        int place = at;
        for (int row = 0; row < all.size(); ++row) {
            if (rows.contains(row)) {
                moved << all[row];
                if (row < at)
                    --place;
            } else {
                others << all[row];
            }
        }
        place = qBound(0, place, static_cast<int>(others.size()));
        for (int i = 0; i < moved.size(); ++i)
            others.insert(place + i, moved[i]);
        m_model->setRows(others);
        selectRows(place, static_cast<int>(moved.size()));
    });
}

void TaskList::SortBy(SortKey key)
{
    recordEdit([this, key] {
        ListHistory::Rows rows = m_model->rows();
        const auto byName = [](const TaskRow &a, const TaskRow &b) {
            return NaturalLess(a.path, b.path);
        };
        if (key == SortKey::Name) {
            std::stable_sort(rows.begin(), rows.end(), byName);
        } else if (key == SortKey::PlayTime) {
            std::stable_sort(rows.begin(), rows.end(), [](const TaskRow &a, const TaskRow &b) {
                return a.playSeconds() < b.playSeconds();
            });
        } else {
            // Read once per row: a comparison may look at a row many times.
            QHash<QString, QDateTime> changed;
            for (const TaskRow &row : std::as_const(rows))
                changed.insert(row.path, QFileInfo(row.path).lastModified());
            std::stable_sort(rows.begin(), rows.end(),
                             [&changed](const TaskRow &a, const TaskRow &b) {
                                 return changed.value(a.path) < changed.value(b.path);
                             });
        }
        m_model->setRows(rows);
    });
}

void TaskList::Undo()
{
    if (!canUndo())
        return;
    m_addRecorded = false;
    m_model->setRows(m_history.undo(m_model->rows()));
}

void TaskList::Redo()
{
    if (!canRedo())
        return;
    m_addRecorded = false;
    m_model->setRows(m_history.redo(m_model->rows()));
}

void TaskList::selectRows(int first, int rowCount)
{
    if (rowCount <= 0)
        return;
    m_selection->select(
        QItemSelection(m_model->index(first, 0), m_model->index(first + rowCount - 1, 0)),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

QString TaskList::FirstSelectedCaption() const
{
    for (int row = 0; row < count(); ++row) {
        if (isRowSelected(row)) {
            return m_model->caption(row);
        }
    }
    return QString();
}

bool TaskList::hasSelection() const
{
    for (int row = 0; row < count(); ++row) {
        if (isRowSelected(row))
            return true;
    }
    return false;
}

int TaskList::count() const
{
    return m_model->count();
}

void TaskList::takeProbed(const QString &path, const ProbeResult &probe)
{
    emit fileAddingStarted();
    const int clearings = m_clearings;
    if (!confirmDuplicate(path) || clearings != m_clearings)
        return;
    if (!probe.isTakeable()) {
        m_refused << path;
        return;
    }
    if (!m_addRecorded) {
        m_history.record(m_model->rows());
        m_addRecorded = true;
    }
    int &place = m_addPlaces.empty() ? m_appendPlace : m_addPlaces.front();
    const int row = m_model->insertTaskRows(place, {TaskRow::probedFile(path, probe)});
    if (place >= 0)
        place = row + 1;
}

void TaskList::endBatch()
{
    if (!m_addPlaces.empty())
        m_addPlaces.pop_front();
    m_addRecorded = false;
    m_duplicateAnswered = false;
    const QStringList refused = m_refused;
    m_refused.clear();
    tellRefused(refused);
}

void TaskList::appendFolderFiles(const QString &folder, QStringList &files)
{
    if (folder.isEmpty())
        return;
    // Without QDir::Hidden and QDir::System those are left out, and
    // QDir::Files leaves out subfolders. The extensions are checked here:
    // the listing's own name filters cost more than the rest of a large
    // folder's intake on the window's thread.
    QStringList names = QDir(folder).entryList(QDir::Files, QDir::Unsorted);
    names.removeIf([](const QString &name) { return !IsSupportedExt(name); });
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    const QString base = AddTrailingSeparator(folder);
    for (const QString &name : qAsConst(names)) {
        // The listing's text of a name that is not valid UTF-8 holds
        // replacement characters and names no file.
        if (!name.contains(QChar::ReplacementCharacter) || QFileInfo::exists(base + name))
            files << base + name;
    }
    tellUnreadableNames(base, UnreadableVideoNamesIn(folder));
}

void TaskList::tellUnreadableNames(const QString &folder, const QList<QByteArray> &names)
{
    if (names.isEmpty())
        return;
    QStringList shown;
    for (const QByteArray &name : names)
        shown << folder + EscapedName(name);
    m_messages->inform(refusedTitle(), UnreadableNamesLead() + refusedNamesText(shown));
}

void TaskList::appendStartupFiles(const QString &entry, QStringList &files)
{
    if (entry.isEmpty())
        return;
    const QFileInfo info(entry);
    if (info.isFile()) {
        if (IsSupportedExt(entry))
            files << fullPathOf(entry);
    } else if (info.isDir()) {
        appendFolderFiles(fullPathOf(entry), files);
    }
}

bool TaskList::confirmDuplicate(const QString &path)
{
    if (m_model->hasCaption(path))
        return askDuplicate();
    return true;
}

bool TaskList::askDuplicate()
{
    if (!m_duplicateAnswered) {
        const Messages::Answer answer = m_messages->askForAll(duplicateTitle(), duplicateText());
        if (answer == Messages::Answer::Yes || answer == Messages::Answer::No)
            return answer == Messages::Answer::Yes;
        m_duplicateAnswer = answer;
        m_duplicateAnswered = true;
    }
    return m_duplicateAnswer == Messages::Answer::YesToAll;
}

bool TaskList::readListFile(const QString &listFile, QStringList &entries)
{
    QFile file(listFile);
    if (!QFileInfo(listFile).isFile() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    entries = QString::fromUtf8(content).split(QLatin1Char('\n'));
    return true;
}

void TaskList::tellRefused(const QStringList &refused)
{
    if (refused.isEmpty())
        return;
    const QString text = refused.size() == 1
                             ? tr("The play time of this file could not be read, so it is not a "
                                  "video that can be joined:\n\n")
                             : tr("The play time of these files could not be read, so they are not "
                                  "videos that can be joined:\n\n");
    m_messages->inform(refusedTitle(), text + refusedNamesText(refused));
}

std::vector<bool> TaskList::selectedRows() const
{
    std::vector<bool> selected(size_t(count()), false);
    for (const QItemSelectionRange &range : m_selection->selection()) {
        if (range.parent().isValid())
            continue;
        for (int row = qMax(0, range.top()); row <= range.bottom() && row < count(); ++row)
            selected[size_t(row)] = true;
    }
    return selected;
}

bool TaskList::isRowSelected(int row) const
{
    return m_selection->rowIntersectsSelection(row, QModelIndex());
}

void TaskList::moveSelection(int from, int to)
{
    // The current (focus) index stays where it is.
    m_selection->select(m_model->index(to, 0),
                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    m_selection->select(m_model->index(from, 0),
                        QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
}

void TaskList::swapRows(int a, int b)
{
    m_model->swapTaskRows(a, b);
}
