#include "inputfacts.h"

#include "tasklist/tasklistmodel.h"

ProbeResult FactsOfRow(const TaskListModel &tasks, int row)
{
    const TaskRow &task = tasks.row(row);
    return task.probed ? task.facts : ProbeMediaFile(task.path);
}
