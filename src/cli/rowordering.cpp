#include "cli/rowordering.h"

#include "tasklist/naturalorder.h"
#include "tasklist/tasklistmodel.h"

#include <QList>

#include <algorithm>

void OrderTaskRows(TaskListModel *model, RowOrder order)
{
    if (order == RowOrder::Keep)
        return;
    QList<ltvItemData> rows;
    for (int row = 0; row < model->count(); ++row) {
        ltvItemData record;
        model->GetItemData(row, WholeRowSelector, record);
        rows << record;
    }
    const auto less = order == RowOrder::Natural ? NaturalLess : NameLess;
    std::stable_sort(rows.begin(), rows.end(), [less](const ltvItemData &a, const ltvItemData &b) {
        return less(a.Caption, b.Caption);
    });
    for (int row = 0; row < rows.size(); ++row)
        model->SetItemData(row, WholeRowSelector, rows.at(row));
}
