#pragma once

#include "tasklist/mediaprobe.h"

#include <QString>
#include <functional>
#include <optional>

// What a job reads back from the files its encoder runs wrote. The real
// reader is the media library; a test that checks other things may give a
// reader that answers nothing, and nothing is then checked.
using MediaReader = std::function<std::optional<ProbeResult>(const QString &path)>;
MediaReader LibraryMediaReader();

// What the joined file must hold.
struct JoinExpectation {
    double seconds = 0; // the sum of the parts' play times
    bool sound = false; // whether any input had sound
};

// Why the joined file is not what was joined; empty when it is: it must have
// a picture, sound when the inputs had sound, and a play time within 1 % (or
// half a second) of the expected one.
QString JoinedOutputProblem(const ProbeResult &found, const JoinExpectation &expected);

// A warning when a converted input came out clearly shorter than the play
// time its file states (a cut-off download, a damaged recording); empty
// when it did not.
QString ShortConversionWarning(const QString &input, double statedSeconds, double convertedSeconds);
