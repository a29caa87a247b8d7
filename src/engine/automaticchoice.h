#pragma once

#include "engine/jobplan.h"
#include "settings/workingselection.h"

#include <QList>
#include <QString>

// What a profile that chooses for the inputs (AutomaticProfileType) does
// with them: it copies their streams when they pass the copy check
// (FirstCopyDifference) and the sound is kept as recorded, and otherwise
// re-encodes with the profile it names, at its initial choices but the
// first video's size and rate and the automatic profile's own chapter and
// loudness choices.
struct AutomaticChoice {
    bool copy = false;
    // The re-encoding profile's file and the selection it is used with;
    // unused for a copy.
    QString profilePath;
    WorkingSelection selection;
    // What was chosen and why, for the window and the command line:
    // "Joining without re-encoding: every video has the same format", or
    // "Re-encoding to H.264: video 3 has a different frame size". detail
    // adds the values that differ ("(1280x720, not 1920x1080)"); empty for
    // a copy.
    QString reason;
    QString detail;
};

// The choice of the automatic profile at automaticPath, with the user's
// selection in it, for the inputs, in list order (at least one). When the
// first video states no usable size or rate, the re-encoding profile's
// initial choice stays for it; where that is the first video's own too,
// Start refuses as it does for that profile.
AutomaticChoice ChooseForInputs(const QString &programDir, const QString &automaticPath,
                                const WorkingSelection &automaticSelection,
                                const QList<PlanInput> &inputs);
