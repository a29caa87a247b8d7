#pragma once

#include "engine/jobplan.h"
#include "engine/jobrequest.h"
#include "engine/startcheck.h"

#include <optional>

// Start's checks of a job request, in the order the user hears of them. They
// read the disk (path identities, free space, the inputs' streams for a copy
// join) and touch nothing of the window, so they may run on any thread.
std::optional<StartRefusal> CheckJobRequest(const JobRequest &request);

// The plan of the request's job with its temporaries in workFolder (empty
// for a copy join) and its output at finalTarget.
JobPlan PlanJob(const JobRequest &request, const QString &workFolder, const QString &finalTarget);

// Where the output goes as things stand now: the output path, or the first
// free renamed name when a file is there and the rule is to rename.
QString FinalTarget(const JobRequest &request);

// The plan as a dry run shows it: in a job folder not yet made.
JobPlan PreviewPlan(const JobRequest &request);
