#include "cli/rowordering.h"

#include "tasklist/naturalorder.h"
#include "tasklist/tasklistmodel.h"

#include <QList>

#include <algorithm>

void OrderTaskRows(TaskListModel *model, RowOrder order)
{
    if (order == RowOrder::Keep)
        return;
    QList<TaskRow> rows = model->rows();
    const auto less = order == RowOrder::Natural ? NaturalLess : NameLess;
    std::stable_sort(rows.begin(), rows.end(),
                     [less](const TaskRow &a, const TaskRow &b) { return less(a.path, b.path); });
    model->setRows(rows);
}
