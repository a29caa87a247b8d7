#pragma once

#include "settings/encoderpieces.h"
#include "settings/encodervalues.h"
#include "tasklist/mediaprobe.h"

#include <QList>
#include <QString>
#include <QStringList>

// A job as plain data, made from the rows and the settings before anything
// runs: every encoder run with its arguments, the file it writes and its
// weight in the total bar. The job runs it; --dry-run prints it. Every
// command line of a job is built here.

// One input as the plan needs it.
struct PlanInput {
    QString path;
    double seconds = 0; // the play time of its row (-1 when unreadable)
    ProbeResult facts;
};

struct PlanStep {
    QStringList arguments; // the encoder's, one string each
    QString target;        // the file the run writes
    QString input;         // a conversion's input; empty for the join
    int row = -1;          // a conversion's row
    double seconds = 0;    // the play time the run works through
    // The run's share of the total bar, as the progress parser takes it:
    // each totalSpan seconds fill half the bar, above totalOffset percent.
    int totalOffset = 0;
    double totalSpan = 0;
};

struct JobPlan {
    QList<PlanStep> conversions; // one per row, top to bottom; none for a copy join
    PlanStep join;               // all temporaries (or inputs) into the output
    QString workFolder;          // the job's own folder for its temporaries
    QString finalTarget;         // where the output ends up once checked
    double totalSeconds = 0;     // the sum of the rows' play times
    // The list of chapter titles the join reads (-chapters), written into
    // the work folder before the join starts; empty paths for no chapters.
    QString chapterListPath;
    QString chapterListText;

    // "<encoder> <command line>" for every run, in the order they start.
    QStringList describe(const QString &encoderPath) const;
    // The output path and the join's partial file it is written to made
    // anew (a file took the output's name while the conversions ran); the
    // runs stay as they were planned.
    void retarget(const QString &newFinalTarget, const QString &newJoinTarget);
};

// What a plan is made of besides the inputs.
struct PlanSettings {
    FrameSize frameSize{640, 480}; // the common frame
    // The profile's picture codec options, which the conversions encode
    // with; empty keeps the encoder's near-lossless default.
    QString pictureCodecOptions;
    QStringList joinOptions; // the join's options, as arguments
    // How many conversions run at once, and on how many cores: each gets
    // its share of the cores as threads (see ConversionThreads).
    int conversionsAtOnce = 1;
    int cores = 1;
    QString workFolder;  // ends with "/"
    QString joinTarget;  // the file the join writes (the partial output)
    QString finalTarget; // the output path the user gets
    // The inputs are joined as they are, by copying their streams: no
    // conversions, and joinOptions copy both streams.
    bool copyStreams = false;
    // The temporaries are Matroska files (see ConversionPicture).
    bool timedTemporaries = false;
    QString frameRate = QStringLiteral("30"); // of every temporary
    // Every video's sound evened out to one loudness in its conversion.
    bool evenLoudness = false;
    // A chapter per input with these titles, in input order; empty for
    // none. Needs a work folder for the list.
    QStringList chapterTitles;
};

// A temporary of the job's own folder: the row number + ".avi", or ".mkv"
// for timed temporaries.
QString PlannedTemporary(const QString &workFolder, int row, bool timed = false);

JobPlan MakeJobPlan(const QList<PlanInput> &inputs, const PlanSettings &settings);

// The settings the profile decides, all from the same pieces: the frame,
// the conversions' picture and rate, the join's options, the temporaries'
// kind and whether the streams are copied. The frame stays 640x480 when the
// pieces' size cannot be read (Start refuses such a size).
PlanSettings ProfilePlanSettings(const EncoderPieces &pieces);
