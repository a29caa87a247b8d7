#pragma once

#include <QCoreApplication>
#include <QString>

// Number of sub-item texts every task row carries. Slot 0 is the Length
// text, slot 1 the Size text, slot 2 the status; slots 3 to 9 have no column
// and travel with the row.
constexpr int TaskSubItemCount = 10;

// Slots with a column of their own.
constexpr int LengthSlot = 0;
constexpr int SizeSlot = 1;
constexpr int StatusSlot = 2;

// Selectors of GetItemData and SetItemData besides the slot numbers 0 to 9.
constexpr int WholeRowSelector = -2;
constexpr int CaptionSelector = -1;

// One task row as a plain record of texts, the form GetItemData reads and
// SetItemData writes. Seconds is filled only when a row is read (slot 0,
// then slots 5 to 9; -1 where the slot holds no time text) and never
// written back.
struct ltvItemData {
    QString Caption;
    QString SubItems[TaskSubItemCount];
    double Seconds[6] = {-1, -1, -1, -1, -1, -1};
};

// The slot whose seconds go into Seconds[index]: 0, 5, 6, 7, 8, 9.
constexpr int secondsSlot(int index)
{
    return index == 0 ? 0 : index + 4;
}
// The Seconds index of a slot, or -1 when the slot has no seconds value.
constexpr int secondsIndexOfSlot(int slot)
{
    return slot == 0 ? 0 : (slot >= 5 && slot <= 9 ? slot - 4 : -1);
}
