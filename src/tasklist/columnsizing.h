#pragma once

#include <QList>

// The task list's columns follow its width: each column takes its share of
// the change (49 %, 17 %, 15 %, 19 %), rounded on its own, halves to even,
// with nothing carried over between columns. A width the rule would take
// below zero stays at zero.
class ColumnSizing {
public:
    static constexpr int InitialRememberedWidth = 562;

    // Applies one resize notice; returns true when the columns changed.
    bool resize(int newWidth, QList<int> &columnWidths);
    int rememberedWidth() const { return remembered; }

private:
    int remembered = InitialRememberedWidth;
};
