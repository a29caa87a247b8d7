#pragma once

#include "cli/cliarguments.h"

#include <QString>

class InterruptSignals;

// join: takes the inputs into a task list, then runs the window's own job
// over them (the same checks, stages and messages), printing its progress
// and messages. programDir ends with "/". Returns the exit status
// (exitcodes.h).
int RunJoin(const CliRequest &request, const QString &programDir, InterruptSignals *interrupts);
