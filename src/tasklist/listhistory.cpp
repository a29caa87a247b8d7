#include "tasklist/listhistory.h"

void ListHistory::record(const Rows &before)
{
    m_undo.append(before);
    if (m_undo.size() > Depth)
        m_undo.removeFirst();
    m_redo.clear();
}

ListHistory::Rows ListHistory::undo(const Rows &current)
{
    m_redo.append(current);
    return m_undo.takeLast();
}

ListHistory::Rows ListHistory::redo(const Rows &current)
{
    m_undo.append(current);
    return m_redo.takeLast();
}

bool ListHistory::same(const Rows &a, const Rows &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype row = 0; row < a.size(); ++row) {
        if (!SameShownRow(a[row], b[row]))
            return false;
    }
    return true;
}
