#pragma once

#include <QString>

// The working selection of the Output Settings dialog, read from its boxes
// when Start is clicked. Positions are -1 when nothing is
// selected.
struct WorkingSelection {
    int videoCodec = -1;    // cmbVcodec position
    QString videoBitrate;   // cmbVbitrate shown text
    int aspect = -1;        // cmbAspect position
    int audioCodec = -1;    // cmbAcodec position
    QString audioCodecText; // cmbAcodec shown text (the caption)
    QString audioBitrate;   // cmbAbitrate shown text
    int mp3Mode = -1;       // cmbEncodeTo position
    int mp3Quality = -1;    // cmbQuality position
    int mp3Bitrate = -1;    // cmbBitrate position
    int channels = -1;      // cmbChannels position
    bool listSize = true;   // rdbSelectSize checked
    int videoSize = -1;     // cmbVideoSize position
    QString width;          // edtWidth text
    QString height;         // edtHeight text
    QString sampleRate;     // cmbSrate shown text
    int videoQuality = -1;  // cmbVquality position
    int speed = -1;         // cmbSpeed position
    int frameRate = -1;     // cmbFrameRate position
    int chapters = -1;      // cmbChapters position
    int loudness = -1;      // cmbLoudness position
};
