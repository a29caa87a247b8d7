#pragma once

#include "toolresult.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Evening out the loudness of a video's sound: every video brought to one
// integrated loudness, with its true peak kept below full scale. It takes
// two runs: one measures the whole sound, and the conversion then applies
// the one gain the figures call for, which keeps the sound's own dynamics.
// Only where that gain would lift a peak past the limit does a limiter
// hold the peaks down, working at four times the rate so that it sees the
// peaks between the samples too.

// Integrated loudness every video is brought to, in LUFS.
constexpr double TargetLoudness = -16;
// The highest true peak the filters let through, in dBTP: a decibel under
// the -1 dBTP a file may reach, for what the join's lossy encoding of the
// sound adds to the peaks.
constexpr double TargetTruePeak = -2;

// What the first pass measured.
struct LoudnessMeasure {
    double integrated = 0; // LUFS
    double truePeak = 0;   // dBTP
};

// The first pass's arguments: the sound stream `stream` of input measured
// after filters (none when empty), progress reported on standard output.
QStringList LoudnessMeasureArguments(const QString &input, int stream,
                                     const QString &filters = QString());

// The figures of the first pass's report among ffmpeg's messages; nothing
// when there is none, or a figure is not a number in its range.
// silent is set when the sound is silence: there is nothing to even out.
std::optional<LoudnessMeasure> ParseLoudnessReport(const QByteArray &messages, bool &silent);

// The second pass as filters of the sound chain, from the figures measured,
// for sound of the given sample rate.
QString LoudnessFilter(const LoudnessMeasure &measure, int sampleRate);

// Measures stream `stream` of input with ffmpeg (twice when peaks must be
// limited); filter is the second pass to apply to sound of sampleRate, left
// empty for a silent sound.
ToolResult MeasureLoudness(const QString &input, int stream, int sampleRate, QString &filter);
