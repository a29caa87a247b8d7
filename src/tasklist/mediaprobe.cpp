#include "tasklist/mediaprobe.h"

#include "tasklist/timetext.h"

#include <cmath>
#include <cstddef>
#include <locale.h>
#include <string>

// The library's C++ class, not its C entry points: those hold one lock
// shared by all threads for the whole of every call, reading the file
// included, so probes on several threads ran one after another. The class
// locks only its own instance.
#include <MediaInfo/MediaInfo.h>

namespace {

// The library turns the wide path into a narrow one by the thread's
// character type, which is plain ASCII when the program runs under the C
// locale; file names are UTF-8 here (as Qt writes them), so the probe runs
// under a UTF-8 character type, and with the C numbers, on this thread only.
class Utf8ProbeLocale {
public:
    Utf8ProbeLocale()
        : m_locale(newlocale(LC_CTYPE_MASK | LC_NUMERIC_MASK, "C.UTF-8", locale_t(nullptr)))
    {
        if (m_locale)
            m_previous = uselocale(m_locale);
    }
    ~Utf8ProbeLocale()
    {
        if (m_locale) {
            uselocale(m_previous);
            freelocale(m_locale);
        }
    }
    Utf8ProbeLocale(const Utf8ProbeLocale &) = delete;
    Utf8ProbeLocale &operator=(const Utf8ProbeLocale &) = delete;

private:
    locale_t m_locale;
    locale_t m_previous = nullptr;
};

using MediaInfoLib::MediaInfo;
using MediaInfoLib::stream_t;

QString ask(MediaInfo &info, stream_t stream, const wchar_t *parameter)
{
    return QString::fromStdWString(
        info.Get(stream, 0, parameter, MediaInfoLib::Info_Text, MediaInfoLib::Info_Name));
}

// The play time answer is whole or fractional milliseconds with "." as the
// decimal point.
bool millisecondsToSeconds(const QString &answer, double &seconds)
{
    bool ok = false;
    const double milliseconds = answer.trimmed().toDouble(&ok);
    if (!ok || !(milliseconds >= 0) || !std::isfinite(milliseconds))
        return false;
    seconds = milliseconds / 1000;
    return true;
}

double positiveNumber(const QString &answer)
{
    bool ok = false;
    const double value = answer.trimmed().toDouble(&ok);
    return ok && value > 0 && std::isfinite(value) ? value : 0;
}

// Rotation is stated in degrees, sometimes with a fraction ("90.000") or as a
// negative angle; anything but a quarter turn counts as none.
int quarterTurns(const QString &answer)
{
    bool ok = false;
    const double degrees = answer.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(degrees))
        return 0;
    const long rounded = std::lround(degrees);
    if (rounded % 90 != 0)
        return 0;
    return int(((rounded % 360) + 360) % 360);
}

void readPictureFacts(MediaInfo &handle, ProbeResult &result)
{
    result.hasVideo = handle.Count_Get(MediaInfoLib::Stream_Video) > 0;
    result.hasAudio = handle.Count_Get(MediaInfoLib::Stream_Audio) > 0;
    result.width = int(positiveNumber(ask(handle, MediaInfoLib::Stream_Video, L"Width")));
    result.height = int(positiveNumber(ask(handle, MediaInfoLib::Stream_Video, L"Height")));
    result.displayAspect =
        positiveNumber(ask(handle, MediaInfoLib::Stream_Video, L"DisplayAspectRatio"));
    if (result.displayAspect == 0 && result.height > 0)
        result.displayAspect = double(result.width) / result.height;
    result.rotation = quarterTurns(ask(handle, MediaInfoLib::Stream_Video, L"Rotation"));
}

void readFormatFacts(MediaInfo &handle, ProbeResult &result)
{
    result.containerFormat = ask(handle, MediaInfoLib::Stream_General, L"Format");
    result.videoFormat = ask(handle, MediaInfoLib::Stream_Video, L"Format");
    result.frameRate = ask(handle, MediaInfoLib::Stream_Video, L"FrameRate");
    result.audioFormat = ask(handle, MediaInfoLib::Stream_Audio, L"Format");
    result.sampleRate = ask(handle, MediaInfoLib::Stream_Audio, L"SamplingRate");
    result.channels = ask(handle, MediaInfoLib::Stream_Audio, L"Channel(s)");
}

} // namespace

ProbeResult ProbeMediaFile(const QString &path)
{
    const std::wstring widePath = path.toStdWString();
    const Utf8ProbeLocale utf8;
    MediaInfo handle;
    handle.Open(widePath);

    ProbeResult result;
    // This library version still answers to the old name of the general
    // stream's duration in milliseconds.
    double seconds = 0;
    if (millisecondsToSeconds(ask(handle, MediaInfoLib::Stream_General, L"PlayTime"), seconds)) {
        result.lengthText = SecondsToTimeText(seconds);
        result.hasPlayTime = true;
        result.seconds = seconds;
    }
    const QString width = ask(handle, MediaInfoLib::Stream_Video, L"Width");
    const QString height = ask(handle, MediaInfoLib::Stream_Video, L"Height");
    result.sizeText = width + QLatin1Char('x') + height;
    readPictureFacts(handle, result);
    readFormatFacts(handle, result);

    handle.Close();
    return result;
}
