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
        }
    }
    if (facts.videoStream >= 0)
        facts.pictureEnd = pictureEnd(video, root.value(QLatin1String("format")).toObject());
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
