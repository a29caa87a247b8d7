#pragma once

#include "tasklist/mediaprobe.h"

class TaskListModel;

// The media facts of an input on the task list: those remembered when it was
// taken in, or read now for a row that came in some other way.
ProbeResult FactsOfInput(const TaskListModel &tasks, const QString &path);
