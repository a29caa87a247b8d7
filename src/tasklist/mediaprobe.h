#pragma once

#include <QString>

// What the media library tells about one file, as the task list shows it.
struct ProbeResult {
    // The play time as a time text; empty when no play time was given.
    QString lengthText;
    // Frame width "x" frame height as reported; "x" when neither is known.
    QString sizeText;
    // False when the library gave no play time (it could not open the file,
    // or the answer was empty or not a number).
    bool hasPlayTime = false;
};

// Asks MediaInfo for the play time of the general stream and the frame size
// of the first video stream. Blocks while the library reads the file.
ProbeResult ProbeMediaFile(const QString &path);
