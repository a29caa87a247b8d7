#include "mediafacts.h"

#include <cstddef>
#include <string>

#include <MediaInfoDLL/MediaInfoDLL_Static.h>

QString MediaFact(const QString &path, int streamKind, const QString &parameter)
{
    void *handle = MediaInfo_New();
    const std::wstring file = path.toStdWString();
    const std::wstring name = parameter.toStdWString();
    QString answer;
    if (MediaInfo_Open(handle, file.c_str()) != 0) {
        const wchar_t *text = MediaInfo_Get(handle, static_cast<MediaInfo_stream_C>(streamKind), 0,
                                            name.c_str(), MediaInfo_Info_Text, MediaInfo_Info_Name);
        answer = text ? QString::fromWCharArray(text) : QString();
    }
    MediaInfo_Close(handle);
    MediaInfo_Delete(handle);
    return answer;
}

double VideoKbitPerSecond(const QString &path)
{
    const double bytes = MediaFact(path, 1, QStringLiteral("StreamSize")).toDouble();
    const double milliseconds = MediaFact(path, 1, QStringLiteral("Duration")).toDouble();
    if (bytes > 0 && milliseconds > 0)
        return bytes * 8 / milliseconds;
    // Program streams carry no stream sizes: the whole file's rate stands in,
    // which the sound raises only a little.
    const double fileBytes = MediaFact(path, 0, QStringLiteral("FileSize")).toDouble();
    const double fileMilliseconds = MediaFact(path, 0, QStringLiteral("Duration")).toDouble();
    return fileBytes > 0 && fileMilliseconds > 0 ? fileBytes * 8 / fileMilliseconds : 0;
}
