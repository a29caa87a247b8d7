#include "tasklist/columnsizing.h"

#include <cmath>

namespace {

const double Shares[] = {0.49, 0.17, 0.15, 0.19};

int roundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

} // namespace

bool ColumnSizing::resize(int newWidth, QList<int> &columnWidths)
{
    const int delta = newWidth - remembered;
    remembered = newWidth;
    if (delta == 0)
        return false;
    for (int i = 0; i < columnWidths.size() && i < 4; ++i)
        columnWidths[i] = std::max(0, roundHalfEven(columnWidths[i] + delta * Shares[i]));
    return true;
}
