#pragma once

#include "tasklist/mediaprobe.h"

class TaskListModel;

// The media facts of a row of the task list: those read when its file was
// taken in, or read now for a row that came in some other way.
ProbeResult FactsOfRow(const TaskListModel &tasks, int row);
