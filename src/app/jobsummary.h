#pragma once

#include <QString>
#include <QStringList>

class TaskListModel;

// The job as it stands before Start: how many videos, how long they play
// together, and about how large the output will be.
struct JobSummary {
    int videos = 0;
    double seconds = 0;
    qint64 outputBytes = 0;
};

// A profile that copies the streams writes about what it reads: the inputs'
// sizes. Any other writes its bitrates (kilobits per second) over the play
// time.
JobSummary SummarizeJob(const TaskListModel &tasks, bool copiesStreams, double videoKbit,
                        double audioKbit);

// "3 videos, 00:12:30, about 120.5 MB"; empty for an empty list.
QString JobSummaryText(const JobSummary &summary);
