#pragma once

#include "tasklist/taskrow.h"

#include <QList>

// The list's earlier and undone states, each a copy of every row: lists are
// short (tens of rows, a few hundred at most), and a copy undoes any edit,
// a sort or an add of a whole folder included, without an inverse per edit.
class ListHistory {
public:
    using Rows = QList<TaskRow>;

    // The list as it was before an edit; forgets what was undone.
    void record(const Rows &before);
    bool canUndo() const { return !m_undo.isEmpty(); }
    bool canRedo() const { return !m_redo.isEmpty(); }
    // The state to go back to; current is kept for redo. Call only when
    // canUndo() (canRedo()).
    Rows undo(const Rows &current);
    Rows redo(const Rows &current);

    // True when two lists show the same rows in the same order.
    static bool same(const Rows &a, const Rows &b);

private:
    // Enough for any run of edits a person would take back one by one.
    static constexpr int Depth = 100;
    QList<Rows> m_undo;
    QList<Rows> m_redo;
};
