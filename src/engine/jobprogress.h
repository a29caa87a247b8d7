#pragma once

#include "tasklist/taskrow.h"

#include <QMetaType>
#include <QString>

// The stage a running job is in; each is announced once as it begins.
enum class JobStage { Converting, Joining };


// What a front end shows of a running job. The bars are within 0..100.
struct JobProgress {
    int current = 0;
    int total = 0;
    // The file the current bar is about, "+N more" when others run beside it.
    QString file;
    // The encoder's latest output text, of the run the current bar follows.
    QString encoderOutput;
    // The job's clock; -1 before its first tick.
    int elapsedSeconds = -1;
    int remainingSeconds = -1;
};

Q_DECLARE_METATYPE(JobStage)
Q_DECLARE_METATYPE(RowState)
Q_DECLARE_METATYPE(JobProgress)
