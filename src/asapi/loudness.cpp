#include "loudness.h"

#include "inputformats.h"
#include "toolrun.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace {

// Quieter than this, loudness is not measured at all (EBU R128's
// absolute gate): the sound is silence.
constexpr double SilenceBelow = -70;
// The limiter's rate: four times 48 kHz, where the peaks between samples
// show as samples.
constexpr int PeakRate = 192000;

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

QStringList LoudnessMeasureArguments(const QString &input, int stream)
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

ToolResult MeasureLoudness(const QString &input, int stream, int sampleRate, QString &filter)
{
    filter.clear();
    QByteArray messages;
    const ToolResult done =
        RunFfmpegKeepingMessages(LoudnessMeasureArguments(input, stream), messages);
    if (!done.ok)
        return {
            false,
            QStringLiteral("the loudness of %1 could not be measured: %2").arg(input, done.error)};
    bool silent = false;
    const std::optional<LoudnessMeasure> measure = ParseLoudnessReport(messages, silent);
    if (silent)
        return {true, QString()};
    if (!measure)
        return {false, QStringLiteral("the loudness of %1 could not be measured").arg(input)};
    filter = LoudnessFilter(*measure, sampleRate);
    return {true, QString()};
}
