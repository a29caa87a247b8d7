#pragma once

#include "cli/cliarguments.h"
#include "tasklist/naturalorder.h"

#include <QString>

class TaskListModel;

// Puts the rows in the order asked for, by their captions (the full paths),
// moving whole rows as "Move Up" and "Move Down" do. Rows of equal caption
// keep their order.
void OrderTaskRows(TaskListModel *model, RowOrder order);
