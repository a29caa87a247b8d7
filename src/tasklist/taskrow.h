#pragma once

#include "tasklist/mediaprobe.h"
#include "tasklist/taskitem.h"

#include <QMap>
#include <QString>

// Where a row is in a job. A row is Ready when it is added and between
// jobs; a job moves it on and leaves it Complete, Failed or Stopped.
enum class RowState { Ready, Converting, WaitingForJoining, Joining, Complete, Failed, Stopped };

// The Status text of each state, as the list shows it ("OK", "Converting",
// "Waiting for joining", "Joining", "Complete", "Failed", "Stopped").
QString RowStateText(RowState state);
// The state whose Status text is exactly text; false for any other text.
bool RowStateOfText(const QString &text, RowState &state);

inline QString addedStatusText()
{
    return RowStateText(RowState::Ready);
}
// A row whose part of a job was stopped, before or while it ran, and whose
// temporary is gone.
inline QString stoppedStatusText()
{
    return RowStateText(RowState::Stopped);
}

// One task row: the input file, what the media library told about it, and
// where it is in a job. The Length, Size and Status texts the list shows
// are made from these when they are shown.
struct TaskRow {
    QString path;
    ProbeResult facts;
    RowState state = RowState::Ready;
    // Whether facts came from the media library. A row written as texts
    // (GetItemData's record) knows only its play time and frame size.
    bool probed = false;
    // Texts written into the record's slots that the fields above would not
    // show as written: the seven slots without a column, and a Length, Size
    // or Status text that the program never writes itself (an empty status,
    // a time with two decimals). Empty for every row the program adds.
    QMap<int, QString> writtenTexts;

    // The play time in seconds; -1 when the row has none.
    double playSeconds() const { return facts.hasPlayTime ? facts.seconds : -1; }

    // A probed file's row, Ready.
    static TaskRow probedFile(const QString &path, const ProbeResult &facts);
};

// The text of one of the record's slots (0 Length, 1 Size, 2 Status, 3 to 9
// without a column), as GetItemData reads it.
QString TaskRowSlotText(const TaskRow &row, int slot);
// Writes a slot's text into the row: into the play time, the frame size or
// the state where the text says exactly what those show, else as written.
void SetTaskRowSlotText(TaskRow &row, int slot, const QString &text);

// The whole row as the record GetItemData fills (the seconds read back from
// the texts), and a row made from such a record (its seconds unread).
ltvItemData RecordOfTaskRow(const TaskRow &row);
TaskRow TaskRowOfRecord(const ltvItemData &record);

// True when both rows show the same ten texts for the same file.
bool SameShownRow(const TaskRow &a, const TaskRow &b);
