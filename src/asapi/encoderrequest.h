#pragma once

#include <QString>
#include <QStringList>

// What one run of the encoder is asked to do, read from its MEncoder-style
// arguments and already put in ffmpeg's terms.

struct VideoRequest {
    bool copy = false;
    // ffmpeg output options of the video encoder: -c:v, rate or quality...
    QStringList encoderOptions;
    // The -vf chain as ffmpeg filters, in the order given.
    QStringList filters;
    // The display shape asked for; empty keeps square pixels.
    QString aspect;
};

// Threads for decoding, filtering and encoding; 0 leaves the choice to
// ffmpeg. A job that runs several conversions at once gives each its share
// of the cores: processes side by side use them better than threads inside
// one process.
struct ThreadRequest {
    int decoding = 0;
    int encoding = 0;
};

struct AudioRequest {
    bool enabled = true; // false after -nosound
    bool copy = false;
    QStringList encoderOptions; // -c:a and its rate or quality
    // Brought to one loudness (-af loudnorm): measured first, then evened
    // out as it is encoded. Only a re-encoded sound of a single input.
    bool evenLoudness = false;
};

struct EncodeRequest {
    QStringList inputs;
    QString output;
    VideoRequest video;
    AudioRequest audio;
    ThreadRequest threads;
    int sampleRate = 0; // 0 keeps the input's
    int channels = 0;   // 0 keeps the input's
    // -ofps as given ("30", "30000/1001"); empty keeps the input's timing.
    QString frameRate;
    // ffmpeg muxer name; empty lets ffmpeg pick it by the output's name.
    QString muxer;
    // The index of an MP4 or MOV written at the front, so that playing can
    // start before the whole file has arrived (-lavfopts faststart).
    bool fastStart = false;
    // The program's list of chapter titles, one per input (-chapters);
    // empty for no chapters. Its titles are read before the run.
    QString chapterList;
};

struct ParsedRequest {
    EncodeRequest request;
    QString error; // empty when the arguments were understood
    bool ok() const { return error.isEmpty(); }
};

// Reads the arguments the way MEncoder does: files anywhere among the
// options, every option applying to the whole run.
ParsedRequest ParseEncoderArguments(const QStringList &arguments);

// A frame rate text ("30", "29.97", "30000/1001") as a number; 0 when it is
// not one.
double FrameRateValue(const QString &text);
