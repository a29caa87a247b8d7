#include "inputfacts.h"

#include "tasklist/tasklistmodel.h"

ProbeResult FactsOfInput(const TaskListModel &tasks, const QString &path)
{
    ProbeResult facts;
    if (!tasks.factsOf(path, facts))
        facts = ProbeMediaFile(path);
    return facts;
}
