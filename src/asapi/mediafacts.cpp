#include "mediafacts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

// ffprobe writes times as text; "N/A" or nothing when it does not know.
double seconds(const QJsonObject &object, const char *key)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(object.value(QLatin1String(key)).toString(), &ok);
    return ok && std::isfinite(value) ? value : NAN;
}

double pictureEnd(const QJsonObject &video, const QJsonObject &format)
{
    const double formatStart = seconds(format, "start_time");
    const double start = seconds(video, "start_time");
    const double length = seconds(video, "duration");
    if (!std::isnan(start) && !std::isnan(length) && length > 0)
        return start - (std::isnan(formatStart) ? start : std::min(formatStart, start)) + length;
    // Containers that keep no length per stream: the whole file's.
    const double whole = seconds(format, "duration");
    return std::isnan(whole) || whole <= 0 ? -1 : whole;
}

// "1/44100" as seconds.
double timeBase(const QString &text)
{
    const double numerator = QLocale::c().toDouble(text.section(QLatin1Char('/'), 0, 0));
    const double denominator = QLocale::c().toDouble(text.section(QLatin1Char('/'), 1));
    return denominator > 0 ? numerator / denominator : 0;
}

} // namespace

InputFacts ParseProbeJson(const QByteArray &json)
{
    const QJsonObject root = QJsonDocument::fromJson(json).object();
    InputFacts facts;
    QJsonObject video;
    for (const QJsonValue &value : root.value(QLatin1String("streams")).toArray()) {
        const QJsonObject stream = value.toObject();
        const QString type = stream.value(QLatin1String("codec_type")).toString();
        const bool cover = stream.value(QLatin1String("disposition"))
                               .toObject()
                               .value(QLatin1String("attached_pic"))
                               .toInt() != 0;
        const int index = stream.value(QLatin1String("index")).toInt();
        if (type == QLatin1String("video") && !cover && facts.videoStream < 0) {
            facts.videoStream = index;
            video = stream;
        } else if (type == QLatin1String("audio") && facts.audioStream < 0) {
            facts.audioStream = index;
            facts.audioTimeBase = timeBase(stream.value(QLatin1String("time_base")).toString());
        }
    }
    const QJsonObject format = root.value(QLatin1String("format")).toObject();
    if (facts.videoStream >= 0)
        facts.pictureEnd = pictureEnd(video, format);
    const double start = seconds(format, "start_time");
    facts.start = std::isnan(start) ? 0 : start;
    const double length = seconds(format, "duration");
    facts.length = std::isnan(length) ? -1 : length;
    return facts;
}

QStringList ProbeArguments(const QString &path)
{
    return {QStringLiteral("-v"),
            QStringLiteral("error"),
            QStringLiteral("-of"),
            QStringLiteral("json"),
            QStringLiteral("-show_streams"),
            QStringLiteral("-show_format"),
            QStringLiteral("-i"),
            path};
}

QStringList SoundPacketArguments(const QString &path, const InputFacts &facts)
{
    // The first packet, then the last seconds: a long file is not read whole.
    const double tail = std::max(0.0, facts.start + facts.length - 5);
    return {QStringLiteral("-v"),
            QStringLiteral("error"),
            QStringLiteral("-select_streams"),
            QString::number(facts.audioStream),
            QStringLiteral("-show_entries"),
            QStringLiteral("packet=pts,duration"),
            QStringLiteral("-read_intervals"),
            QStringLiteral("%+#1,") + QString::number(tail, 'f', 3) + QLatin1Char('%'),
            QStringLiteral("-of"),
            QStringLiteral("csv=p=0"),
            QStringLiteral("-i"),
            path};
}

double SoundEndFromPackets(const QByteArray &csv, const InputFacts &facts)
{
    qint64 first = 0;
    qint64 last = 0;
    qint64 frame = 0; // a whole packet's length; the last one may be cut short
    bool any = false;
    for (const QByteArray &line : csv.split('\n')) {
        bool ptsOk = false;
        bool lengthOk = false;
        const qint64 pts = line.split(',').value(0).toLongLong(&ptsOk);
        const qint64 length = line.split(',').value(1).trimmed().toLongLong(&lengthOk);
        if (!ptsOk)
            continue;
        first = any ? std::min(first, pts) : pts;
        last = any ? std::max(last, pts) : pts;
        frame = std::max(frame, lengthOk ? length : 0);
        any = true;
    }
    if (!any || facts.audioTimeBase <= 0)
        return -1;
    // The encoder's lead-in before the file's start is laid down too.
    const double begin = std::min(first * facts.audioTimeBase, facts.start);
    return (last + frame) * facts.audioTimeBase - begin;
}
