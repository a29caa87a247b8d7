#include "loudness.h"

#include "inputformats.h"
#include "toolrun.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

namespace {

// Quieter than this, loudness is not measured at all (EBU R128's
// absolute gate): the sound is silence.
constexpr double SilenceBelow = -70;
// The limiter's rate: four times 48 kHz, where the peaks between samples
// show as samples.
constexpr int PeakRate = 192000;
// The most gain added back for what the limiter took: beyond it, the sound
// would be more limiter than sound.
constexpr double MostMadeUp = 6;

QString number(double value)
{
    return QString::number(value, 'f', 2);
}

// A figure of the report: text that reads in full as a number from low to
// high.
std::optional<double> figure(const QJsonObject &report, const char *key, double low, double high)
{
    bool ok = false;
    const double value = report.value(QLatin1String(key)).toString().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < low || value > high)
        return std::nullopt;
    return value;
}

} // namespace

QStringList LoudnessMeasureArguments(const QString &input, int stream, const QString &filters)
{
    return {QStringLiteral("-nostdin"),
            QStringLiteral("-hide_banner"),
            QStringLiteral("-nostats"),
            QStringLiteral("-loglevel"),
            QStringLiteral("info"),
            QStringLiteral("-progress"),
            QStringLiteral("pipe:1"),
            QStringLiteral("-stats_period"),
            QStringLiteral("0.1"),
            QStringLiteral("-format_whitelist"),
            AllowedInputFormats(false),
            QStringLiteral("-protocol_whitelist"),
            QString::fromLatin1(InputProtocols),
            QStringLiteral("-i"),
            QStringLiteral("file:") + input,
            QStringLiteral("-map"),
            QStringLiteral("0:%1").arg(stream),
            QStringLiteral("-af"),
            (filters.isEmpty() ? QString() : filters + QLatin1Char(',')) +
                QStringLiteral("loudnorm=I=%1:TP=%2:print_format=json")
                    .arg(number(TargetLoudness), number(TargetTruePeak)),
            QStringLiteral("-f"),
            QStringLiteral("null"),
            QStringLiteral("-")};
}

std::optional<LoudnessMeasure> ParseLoudnessReport(const QByteArray &messages, bool &silent)
{
    silent = false;
    // The report is the last block in braces the filter prints.
    const qsizetype open = messages.lastIndexOf('{');
    const qsizetype close = messages.lastIndexOf('}');
    if (open < 0 || close < open)
        return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(messages.mid(open, close - open + 1));
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject report = document.object();
    const QString integrated = report.value(QLatin1String("input_i")).toString();
    bool ok = false;
    const double level = integrated.toDouble(&ok);
    if (integrated == QLatin1String("-inf") || (ok && level < SilenceBelow)) {
        silent = true;
        return std::nullopt;
    }
    const std::optional<double> i = figure(report, "input_i", -99, 0);
    const std::optional<double> tp = figure(report, "input_tp", -99, 99);
    if (!i || !tp)
        return std::nullopt;
    return LoudnessMeasure{*i, *tp};
}

QString LoudnessFilter(const LoudnessMeasure &measure, int sampleRate)
{
    const double gain = TargetLoudness - measure.integrated;
    const QString volume = QStringLiteral("volume=%1dB").arg(number(gain));
    if (measure.truePeak + gain <= TargetTruePeak)
        return volume;
    // The limiter's delay is taken back out, so the sound stays in step.
    const double limit = std::pow(10.0, TargetTruePeak / 20);
    return volume + QStringLiteral(",aresample=%1,alimiter=limit=%2:level=false:latency=true,"
                                   "aresample=%3")
                        .arg(PeakRate)
                        .arg(QString::number(limit, 'f', 4))
                        .arg(sampleRate);
}

namespace {

// The sound of stream `stream` of input measured after filters.
ToolResult measure(const QString &input, int stream, const QString &filters,
                   std::optional<LoudnessMeasure> &found, bool &silent)
{
    QByteArray messages;
    const ToolResult done =
        RunFfmpegKeepingMessages(LoudnessMeasureArguments(input, stream, filters), messages);
    if (!done.ok) {
        // ffmpeg's own last word says why.
        const QByteArray why = messages.trimmed().split('\n').constLast().trimmed();
        return {false, QStringLiteral("the loudness of %1 could not be measured: %2 (%3)")
                           .arg(input, done.error, QString::fromLocal8Bit(why))};
    }
    found = ParseLoudnessReport(messages, silent);
    if (!found && !silent)
        return {false, QStringLiteral("the loudness of %1 could not be measured").arg(input)};
    return {true, QString()};
}

} // namespace

ToolResult MeasureLoudness(const QString &input, int stream, int sampleRate, QString &filter)
{
    filter.clear();
    std::optional<LoudnessMeasure> found;
    bool silent = false;
    ToolResult done = measure(input, stream, QString(), found, silent);
    if (!done.ok || silent)
        return done;
    filter = LoudnessFilter(*found, sampleRate);
    if (!filter.contains(QLatin1String("alimiter")))
        return done;
    // The peaks the limiter holds down take some loudness with them: the
    // sound is measured again as it will be, and the gain made up for what
    // was lost.
    std::optional<LoudnessMeasure> limited;
    done = measure(input, stream, filter, limited, silent);
    if (!done.ok || !limited)
        return done;
    const double lost = std::clamp(TargetLoudness - limited->integrated, 0.0, MostMadeUp);
    filter = LoudnessFilter({found->integrated - lost, found->truePeak}, sampleRate);
    return done;
}
