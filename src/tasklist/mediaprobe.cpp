#include "tasklist/mediaprobe.h"

#include "tasklist/timetext.h"

#include <QStringList>

#include <algorithm>
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

// Every sound stream's answer, in stream order.
QString askEverySound(MediaInfo &handle, const wchar_t *parameter)
{
    QStringList answers;
    const size_t count = handle.Count_Get(MediaInfoLib::Stream_Audio);
    for (size_t stream = 0; stream < count; ++stream) {
        answers << QString::fromStdWString(handle.Get(MediaInfoLib::Stream_Audio, stream, parameter,
                                                      MediaInfoLib::Info_Text,
                                                      MediaInfoLib::Info_Name));
    }
    return answers.join(QStringLiteral(" + "));
}

QString fieldOrder(MediaInfo &handle)
{
    const QString type = ask(handle, MediaInfoLib::Stream_Video, L"ScanType");
    const QString order = ask(handle, MediaInfoLib::Stream_Video, L"ScanOrder");
    return order.isEmpty() ? type : type + QLatin1Char(' ') + order;
}

void readFormatFacts(MediaInfo &handle, ProbeResult &result)
{
    result.containerFormat = ask(handle, MediaInfoLib::Stream_General, L"Format");
    result.videoFormat = ask(handle, MediaInfoLib::Stream_Video, L"Format");
    // The level ("@L4.1") follows from the size, rate and bit rate; a
    // decoder set up for one plays the others.
    result.videoProfile =
        ask(handle, MediaInfoLib::Stream_Video, L"Format_Profile").section(QLatin1Char('@'), 0, 0);
    result.bitDepth = ask(handle, MediaInfoLib::Stream_Video, L"BitDepth");
    result.chromaFormat = ask(handle, MediaInfoLib::Stream_Video, L"ChromaSubsampling");
    result.pixelAspect = ask(handle, MediaInfoLib::Stream_Video, L"PixelAspectRatio");
    result.frameRate = ask(handle, MediaInfoLib::Stream_Video, L"FrameRate");
    result.fieldOrder = fieldOrder(handle);
    result.audioFormat = askEverySound(handle, L"Format");
    result.sampleRate = askEverySound(handle, L"SamplingRate");
    result.channels = askEverySound(handle, L"Channel(s)");
    result.channelLayout = askEverySound(handle, L"ChannelLayout");
    result.videoStreams = int(handle.Count_Get(MediaInfoLib::Stream_Video));
    result.soundStreams = int(handle.Count_Get(MediaInfoLib::Stream_Audio));
}

// Where a stream's samples lie on the file's timeline, in seconds.
struct SampleSpan {
    double start = 0;
    double length = -1; // < 0: not stated
    double end() const { return start + length; }
};

double statedMilliseconds(const QString &answer, double otherwise)
{
    bool ok = false;
    const double value = answer.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value / 1000 : otherwise;
}

// MPEG-4 and QuickTime files state a stream's play time with its edit list
// applied: a stream whose timestamps start late seems to play from zero,
// with nothing before its start, and the sound's encoder lead-in is left
// out. The samples themselves ("Source_") are what plays, and what a copy
// lays down, as long as they end where the play time ends; an edit that
// cuts the stream short is the play time.
SampleSpan sampleSpan(MediaInfo &handle, stream_t stream)
{
    SampleSpan stated;
    stated.start = statedMilliseconds(ask(handle, stream, L"Delay"), 0);
    stated.length = statedMilliseconds(ask(handle, stream, L"Duration"), -1);
    SampleSpan samples;
    samples.start = statedMilliseconds(ask(handle, stream, L"Source_Delay"), 0);
    samples.length = statedMilliseconds(ask(handle, stream, L"Source_Duration"), -1);
    const bool onlyMoved =
        samples.length > 0 && stated.length > 0 && std::abs(stated.end() - samples.end()) < 0.05;
    return onlyMoved ? samples : stated;
}

// Samples in one of the sound's packets. Files rarely state it for MPEG
// audio, whose layer and version fix it.
double samplesPerPacket(MediaInfo &handle)
{
    const double stated =
        positiveNumber(ask(handle, MediaInfoLib::Stream_Audio, L"SamplesPerFrame"));
    if (stated > 0 ||
        ask(handle, MediaInfoLib::Stream_Audio, L"Format") != QLatin1String("MPEG Audio"))
        return stated;
    const QString layer = ask(handle, MediaInfoLib::Stream_Audio, L"Format_Profile");
    const bool firstVersion =
        ask(handle, MediaInfoLib::Stream_Audio, L"Format_Version") == QLatin1String("Version 1");
    if (layer == QLatin1String("Layer 1"))
        return 384;
    if (layer == QLatin1String("Layer 2"))
        return 1152;
    if (layer == QLatin1String("Layer 3"))
        return firstVersion ? 1152 : 576;
    return 0;
}

// The play time from the first sample of the first picture and sound
// streams to the last, and where each of them ends. Streams that seem to
// lie far longer than the file's stated play time (one stream's start told
// as a time code, the other's not) leave the stated play time as it is.
void readSampleSpans(MediaInfo &handle, ProbeResult &result)
{
    const bool sound = result.hasAudio;
    const SampleSpan picture = sampleSpan(handle, MediaInfoLib::Stream_Video);
    const SampleSpan heard = sound ? sampleSpan(handle, MediaInfoLib::Stream_Audio) : SampleSpan();
    const bool pictureKnown = result.hasVideo && picture.length > 0;
    const bool soundKnown = sound && heard.length > 0;
    if (!pictureKnown && !soundKnown)
        return;
    const double first = !soundKnown     ? picture.start
                         : !pictureKnown ? heard.start
                                         : std::min(picture.start, heard.start);
    const double last =
        std::max(pictureKnown ? picture.end() : first, soundKnown ? heard.end() : first);
    if (last - first > result.seconds + std::max(1.0, result.seconds / 100))
        return;
    if (pictureKnown)
        result.pictureEnd = picture.end() - first;
    if (soundKnown) {
        result.soundEnd = heard.end() - first;
        result.soundSeconds = heard.length;
        const double rate =
            positiveNumber(ask(handle, MediaInfoLib::Stream_Audio, L"SamplingRate"));
        result.soundPacketSeconds = rate > 0 ? samplesPerPacket(handle) / rate : 0;
    }
    result.seconds = std::max(result.pictureEnd, result.soundEnd);
}

// The library's process-wide options for a depth, set before the first
// probe.
void applyDepth(ProbeDepth depth)
{
    const bool quick = depth == ProbeDepth::Quick;
    MediaInfo::Option_Static(L"ParseSpeed", quick ? L"0.1" : L"0.5");
    MediaInfo::Option_Static(L"ReadByHuman", quick ? L"0" : L"1");
}

void applyDefaultDepthOnce()
{
    static const bool applied = [] {
        applyDepth(ProbeDepth::Quick);
        return true;
    }();
    Q_UNUSED(applied);
}

} // namespace

void SetProbeDepth(ProbeDepth depth)
{
    applyDefaultDepthOnce();
    applyDepth(depth);
}

QString ProbeResult::lengthText() const
{
    return hasPlayTime ? SecondsToTimeText(seconds) : QString();
}

QString ProbeResult::sizeText() const
{
    const auto known = [](int pixels) { return pixels > 0 ? QString::number(pixels) : QString(); };
    return known(width) + QLatin1Char('x') + known(height);
}

ProbeResult ProbeMediaFile(const QString &path)
{
    const std::wstring widePath = path.toStdWString();
    const Utf8ProbeLocale utf8;
    applyDefaultDepthOnce();
    MediaInfo handle;
    handle.Open(widePath);

    ProbeResult result;
    // This library version still answers to the old name of the general
    // stream's duration in milliseconds.
    double seconds = 0;
    if (millisecondsToSeconds(ask(handle, MediaInfoLib::Stream_General, L"PlayTime"), seconds)) {
        result.hasPlayTime = true;
        result.seconds = seconds;
    }
    readPictureFacts(handle, result);
    readFormatFacts(handle, result);
    if (result.hasPlayTime)
        readSampleSpans(handle, result);

    handle.Close();
    return result;
}
