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
    // The play time the file states, in seconds; 0 without one.
    double seconds = 0;

    // What a conversion needs to keep the picture's shape: the stored frame
    // size, the shape a player shows it in (width / height, from the display
    // aspect ratio, or the frame size when none is stated) and the clockwise
    // rotation a player applies (0, 90, 180 or 270).
    bool hasVideo = false;
    bool hasAudio = false;
    int width = 0;
    int height = 0;
    double displayAspect = 0;
    int rotation = 0;

    // What decides whether files can be joined by copying their streams, as
    // the library names it: the container ("MPEG-4", "AVI"), the picture's
    // and the sound's codecs ("AVC", "AAC"), the frame rate ("29.970"), the
    // sample rate ("48000") and the channel count ("2"). Empty when the file
    // does not state it, the sound's facts also when it has no sound.
    QString containerFormat;
    QString videoFormat;
    QString frameRate;
    QString audioFormat;
    QString sampleRate;
    QString channels;

    // A file is taken into the task list only when it has a play time and a
    // picture: a sound-only or text file cannot become part of a video.
    bool isTakeable() const { return hasPlayTime && hasVideo; }
};

// Asks MediaInfo for the play time of the general stream and the facts above
// of the first video and sound streams. Blocks while the library reads the file.
ProbeResult ProbeMediaFile(const QString &path);
