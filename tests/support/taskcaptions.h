#pragma once

#include "tasklist/tasklist.h"
#include "tasklist/tasklistmodel.h"

#include <QStringList>

// The task list's captions, top to bottom.
inline QStringList captions(const TaskList &tasks)
{
    QStringList list;
    for (int row = 0; row < tasks.count(); ++row)
        list << tasks.model()->caption(row);
    return list;
}
