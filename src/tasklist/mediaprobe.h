#pragma once

#include <QString>

// What the media library tells about one file, as the task list shows it.
struct ProbeResult {
    // False when the library gave no play time (it could not open the file,
    // or the answer was empty or not a number).
    bool hasPlayTime = false;
    // The play time in seconds, from the first picture or sound sample to the
    // last (a camera's or a broadcast's clip may start its timestamps
    // anywhere); the file's stated play time where its streams state none;
    // 0 without one.
    double seconds = 0;
    // Where the first picture stream and the first sound stream end, in
    // seconds from the first sample; < 0 when unknown or absent. And the
    // sound's own length and the length of one of its packets (0 when not
    // stated): a stream copy lays the packets down whole.
    double pictureEnd = -1;
    double soundEnd = -1;
    double soundSeconds = 0;
    double soundPacketSeconds = 0;

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
    // codec ("AVC"), its profile without the level ("High"), bit depth ("8"),
    // chroma format ("4:2:0"), pixel aspect ratio ("1.000"), frame rate
    // ("29.970") and field order ("Progressive", "Interlaced TFF"). Empty
    // when the file does not state it.
    QString containerFormat;
    QString videoFormat;
    QString videoProfile;
    QString bitDepth;
    QString chromaFormat;
    QString pixelAspect;
    QString frameRate;
    QString fieldOrder;
    // The sound's codec ("AAC"), sample rate ("48000"), channel count ("2")
    // and channel layout ("L R"): each sound stream's value in stream order,
    // joined by " + "; empty without sound.
    QString audioFormat;
    QString sampleRate;
    QString channels;
    QString channelLayout;
    // How many picture and sound streams the file has.
    int videoStreams = 0;
    int soundStreams = 0;

    // A file is taken into the task list only when it has a play time and a
    // picture: a sound-only or text file cannot become part of a video.
    bool isTakeable() const { return hasPlayTime && hasVideo; }

    // The play time as a time text; empty when no play time was given.
    QString lengthText() const;
    // Frame width "x" frame height; "x" when neither is known.
    QString sizeText() const;
};

// How much of each file the media library reads. Quick reads the first
// tenth of what the library would (its parse speed 0.1) and makes no
// texts for people: every fact above comes out the same as with the
// library's defaults (Thorough), for about a third of the processor time.
// A parse speed of 0 would be quicker still, but loses the frame rate of
// Matroska files.
enum class ProbeDepth { Quick, Thorough };
// The library keeps these settings for the whole process: call before the
// first probe or while none runs. Quick is the default.
void SetProbeDepth(ProbeDepth depth);

// Asks MediaInfo for the play time and the facts above of the first video
// and sound streams (the sound's copy facts of every sound stream). Blocks while the library reads
// the file.
ProbeResult ProbeMediaFile(const QString &path);
