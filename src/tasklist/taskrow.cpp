#include "tasklist/taskrow.h"

#include "tasklist/timetext.h"

#include <QCoreApplication>

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<RowState, const char *>, 7> StateTexts{{
    {RowState::Ready, QT_TRANSLATE_NOOP("TaskList", "OK")},
    {RowState::Converting, QT_TRANSLATE_NOOP("TaskList", "Converting")},
    {RowState::WaitingForJoining, QT_TRANSLATE_NOOP("TaskList", "Waiting for joining")},
    {RowState::Joining, QT_TRANSLATE_NOOP("TaskList", "Joining")},
    {RowState::Complete, QT_TRANSLATE_NOOP("TaskList", "Complete")},
    {RowState::Failed, QT_TRANSLATE_NOOP("TaskList", "Failed")},
    {RowState::Stopped, QT_TRANSLATE_NOOP("TaskList", "Stopped")},
}};

QString lengthText(const TaskRow &row)
{
    return row.facts.hasPlayTime ? SecondsToTimeText(row.facts.seconds) : QString();
}

// A row written as texts that never had a size shows none; a probed file
// shows "x" where the library told neither width nor height.
QString sizeText(const TaskRow &row)
{
    if (!row.probed && row.facts.width <= 0 && row.facts.height <= 0)
        return QString();
    return row.facts.sizeText();
}

void setLength(TaskRow &row, const QString &text)
{
    const double seconds = TimeTextToSeconds(text);
    row.facts.hasPlayTime = seconds >= 0;
    row.facts.seconds = qMax(0.0, seconds);
}

// "640x480" into the width and height; a part that is no whole number
// counts as unknown.
void setSize(TaskRow &row, const QString &text)
{
    const int cross = text.indexOf(QLatin1Char('x'));
    bool widthOk = false;
    bool heightOk = false;
    const int width = cross < 0 ? 0 : text.left(cross).toInt(&widthOk);
    const int height = cross < 0 ? 0 : text.mid(cross + 1).toInt(&heightOk);
    row.facts.width = widthOk && width > 0 ? width : 0;
    row.facts.height = heightOk && height > 0 ? height : 0;
}

QString typedSlotText(const TaskRow &row, int slot)
{
    switch (slot) {
    case LengthSlot:
        return lengthText(row);
    case SizeSlot:
        return sizeText(row);
    case StatusSlot:
        return RowStateText(row.state);
    default:
        return QString();
    }
}

} // namespace

QString RowStateText(RowState state)
{
    for (const auto &[known, text] : StateTexts) {
        if (known == state)
            return QCoreApplication::translate("TaskList", text);
    }
    return QString();
}

bool RowStateOfText(const QString &text, RowState &state)
{
    for (const auto &[known, stateText] : StateTexts) {
        if (text == QCoreApplication::translate("TaskList", stateText)) {
            state = known;
            return true;
        }
    }
    return false;
}

TaskRow TaskRow::probedFile(const QString &path, const ProbeResult &facts)
{
    TaskRow row;
    row.path = path;
    row.facts = facts;
    row.probed = true;
    return row;
}

QString TaskRowSlotText(const TaskRow &row, int slot)
{
    const auto written = row.writtenTexts.constFind(slot);
    return written != row.writtenTexts.constEnd() ? *written : typedSlotText(row, slot);
}

void SetTaskRowSlotText(TaskRow &row, int slot, const QString &text)
{
    // The text the row shows already: its exact play time stays.
    if (typedSlotText(row, slot) == text) {
        row.writtenTexts.remove(slot);
        return;
    }
    if (slot == LengthSlot)
        setLength(row, text);
    else if (slot == SizeSlot)
        setSize(row, text);
    else if (slot == StatusSlot)
        RowStateOfText(text, row.state);
    if (typedSlotText(row, slot) == text)
        row.writtenTexts.remove(slot);
    else
        row.writtenTexts.insert(slot, text);
}

ltvItemData RecordOfTaskRow(const TaskRow &row)
{
    ltvItemData record;
    record.Caption = row.path;
    for (int slot = 0; slot < TaskSubItemCount; ++slot)
        record.SubItems[slot] = TaskRowSlotText(row, slot);
    for (int i = 0; i < 6; ++i)
        record.Seconds[i] = TimeTextToSeconds(record.SubItems[secondsSlot(i)]);
    return record;
}

TaskRow TaskRowOfRecord(const ltvItemData &record)
{
    TaskRow row;
    row.path = record.Caption;
    for (int slot = 0; slot < TaskSubItemCount; ++slot)
        SetTaskRowSlotText(row, slot, record.SubItems[slot]);
    return row;
}

bool SameShownRow(const TaskRow &a, const TaskRow &b)
{
    if (a.path != b.path)
        return false;
    for (int slot = 0; slot < TaskSubItemCount; ++slot) {
        if (TaskRowSlotText(a, slot) != TaskRowSlotText(b, slot))
            return false;
    }
    return true;
}
