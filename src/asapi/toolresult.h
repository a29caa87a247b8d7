#pragma once

#include <QString>

// How a step of a run went.
struct ToolResult {
    bool ok = false;
    QString error; // one line, when not ok
};
