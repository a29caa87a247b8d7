#include "encoderrequest.h"

#include "contract/encoderlines.h"
#include "contract/valueforms.h"
#include "videofilters.h"

#include <QLocale>

#include <cmath>
#include <optional>

namespace {

// The last value given for each option; sub-option lists add up.
struct RawOptions {
    QHash<QString, QString> values;
    QStringList lavcopts;
    QStringList lameopts;
    QStringList lavfopts;
    QStringList lavdopts;
    bool nosound = false;

    QString value(const char *option) const { return values.value(QLatin1String(option)); }
    bool has(const char *option) const { return values.contains(QLatin1String(option)); }
};

// "a=b:c:d=e" as pieces. A bare number after "aspect=" belongs to it, so
// "aspect=16:9" survives the colon.
QStringList subOptions(const QString &text)
{
    QStringList pieces;
    for (const QString &piece : text.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        bool number = false;
        piece.toInt(&number);
        if (number && !pieces.isEmpty() && pieces.last().startsWith(QLatin1String("aspect=")) &&
            !pieces.last().contains(QLatin1Char(':')))
            pieces.last() += QLatin1Char(':') + piece;
        else
            pieces << piece;
    }
    return pieces;
}

QString keyOf(const QString &piece)
{
    return piece.section(QLatin1Char('='), 0, 0);
}

QString valueOf(const QString &piece)
{
    return piece.section(QLatin1Char('='), 1);
}

std::optional<int> positiveNumber(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value > 0 ? std::optional<int>(value) : std::nullopt;
}

QString readArguments(const QStringList &arguments, RawOptions &raw, QStringList &inputs)
{
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (!argument.startsWith(QLatin1Char('-')) || argument.size() == 1) {
            inputs << argument;
        } else if (argument == QLatin1String("-nosound")) {
            raw.nosound = true;
        } else if (IsIgnoredFlag(argument)) {
            continue;
        } else if (!IsValueOption(argument)) {
            return QStringLiteral("unknown option %1").arg(argument);
        } else if (i + 1 >= arguments.size()) {
            return QStringLiteral("option %1 needs a value").arg(argument);
        } else {
            const QString value = arguments.at(++i);
            if (argument == QLatin1String("-lavcopts"))
                raw.lavcopts << subOptions(value);
            else if (argument == QLatin1String("-lameopts"))
                raw.lameopts << subOptions(value);
            else if (argument == QLatin1String("-lavfopts"))
                raw.lavfopts << subOptions(value);
            else if (argument == QLatin1String("-lavdopts"))
                raw.lavdopts << subOptions(value);
            else
                raw.values.insert(argument, value);
        }
    }
    return QString();
}

// -lavcopts split into the video's and the sound's keys.
struct LavcOptions {
    QHash<QString, QString> video;
    QHash<QString, QString> audio;
};

QString sortLavcOptions(const QStringList &pieces, LavcOptions &lavc)
{
    static const QStringList videoKeys{QStringLiteral("vcodec"),  QStringLiteral("vbitrate"),
                                       QStringLiteral("vqscale"), QStringLiteral("mbd"),
                                       QStringLiteral("aspect"),  QStringLiteral("autoaspect"),
                                       QStringLiteral("threads"), QStringLiteral("crf"),
                                       QStringLiteral("preset"),  QStringLiteral("speed")};
    static const QStringList audioKeys{QStringLiteral("acodec"), QStringLiteral("abitrate")};
    for (const QString &piece : pieces) {
        const QString key = keyOf(piece);
        if (videoKeys.contains(key))
            lavc.video.insert(key, valueOf(piece));
        else if (audioKeys.contains(key))
            lavc.audio.insert(key, valueOf(piece));
        else
            return QStringLiteral("unknown -lavcopts entry %1").arg(piece);
    }
    return QString();
}

// The encoder's speed choice: x264's and x265's named presets, VP9's speed
// number (with the deadline it belongs to, and rows encoded side by side).
QString speedOptions(const QString &codec, const QHash<QString, QString> &o, QStringList &options)
{
    const QString key = SpeedOptionKey(codec);
    for (const char *other : {"preset", "speed"}) {
        if (o.contains(QLatin1String(other)) && key != QLatin1String(other))
            return QStringLiteral("video codec %1 has no -lavcopts %2")
                .arg(codec, QLatin1String(other));
    }
    if (key.isEmpty() || !o.contains(key))
        return QString();
    const QString text = o.value(key);
    if (key == QLatin1String("preset")) {
        if (!IsEncoderPreset(codec, text))
            return QStringLiteral("preset %1 is not one of %2's presets").arg(text, codec);
        options << QStringLiteral("-preset") << text;
        return QString();
    }
    const std::optional<int> speed = EncoderSpeed(codec, text);
    if (!speed)
        return QStringLiteral("speed needs a whole number from 0 to 5");
    options << QStringLiteral("-deadline") << QStringLiteral("good") << QStringLiteral("-cpu-used")
            << QString::number(*speed) << QStringLiteral("-row-mt") << QStringLiteral("1");
    return QString();
}

// A constant quality in place of a bitrate. VP9 takes its quality as a
// ceiling unless the bitrate is 0.
QString constantQuality(const QString &codec, const QString &text, QStringList &options)
{
    const std::optional<QualityScale> scale = ConstantQualityScale(codec);
    if (!scale)
        return QStringLiteral("video codec %1 has no -lavcopts crf").arg(codec);
    const std::optional<int> crf = WholeNumberIn(text, scale->best, scale->worst);
    if (!crf)
        return QStringLiteral("crf needs a whole number from %1 to %2 for %3")
            .arg(scale->best)
            .arg(scale->worst)
            .arg(codec);
    options << QStringLiteral("-crf") << QString::number(*crf);
    if (codec == QLatin1String("libvpx-vp9"))
        options << QStringLiteral("-b:v") << QStringLiteral("0");
    return QString();
}

QString videoEncoder(const RawOptions &raw, const LavcOptions &lavc, VideoRequest &video)
{
    const QString ovc = raw.value("-ovc");
    if (ovc == QLatin1String("copy")) {
        video.copy = true;
        return QString();
    }
    if (ovc.isEmpty())
        return QStringLiteral("no video encoder chosen (-ovc lavc or -ovc copy)");
    if (ovc != QLatin1String("lavc"))
        return QStringLiteral("video encoder %1 is not supported (-ovc lavc or copy)").arg(ovc);
    const QHash<QString, QString> &o = lavc.video;
    const QString codec = o.value(QStringLiteral("vcodec"), QStringLiteral("mpeg4"));
    if (!IsKnownVideoEncoder(codec))
        return QStringLiteral("video codec %1 is not one this encoder knows").arg(codec);
    video.encoderOptions << QStringLiteral("-c:v") << codec;
    // x265 writes its settings and figures past ffmpeg's log level.
    if (codec == QLatin1String("libx265"))
        video.encoderOptions << QStringLiteral("-x265-params") << QStringLiteral("log-level=error");
    const QString speedError = speedOptions(codec, o, video.encoderOptions);
    if (!speedError.isEmpty())
        return speedError;
    if (o.contains(QStringLiteral("crf"))) {
        const QString crfError =
            constantQuality(codec, o.value(QStringLiteral("crf")), video.encoderOptions);
        if (!crfError.isEmpty())
            return crfError;
    } else if (o.contains(QStringLiteral("vqscale"))) {
        const std::optional<QString> quality = DecimalNumber(o.value(QStringLiteral("vqscale")));
        if (!quality)
            return QStringLiteral("vqscale must be a number above 0");
        video.encoderOptions << QStringLiteral("-q:v") << *quality;
    } else {
        // Up to 16000 the figure is kbit/s, above it bit/s.
        const std::optional<int> rate =
            positiveNumber(o.value(QStringLiteral("vbitrate"), QStringLiteral("800")));
        if (!rate)
            return QStringLiteral("vbitrate must be a positive whole number");
        const qint64 bits = *rate < 16001 ? qint64(*rate) * 1000 : *rate;
        video.encoderOptions << QStringLiteral("-b:v") << QString::number(bits);
    }
    if (o.contains(QStringLiteral("mbd"))) {
        const std::optional<int> mbd = WholeNumberIn(o.value(QStringLiteral("mbd")), 0, 2);
        if (!mbd)
            return QStringLiteral("mbd must be 0, 1 or 2");
        video.encoderOptions << QStringLiteral("-mbd") << QString::number(*mbd);
    }
    if (o.contains(QStringLiteral("aspect"))) {
        const std::optional<QString> aspect = AspectText(o.value(QStringLiteral("aspect")));
        if (!aspect)
            return QStringLiteral("aspect %1 is no display shape (16:9, 4/3 or 1.78)")
                .arg(o.value(QStringLiteral("aspect")));
        video.aspect = *aspect;
    }
    return QString();
}

QString lameOptions(const QStringList &pieces, QStringList &options)
{
    QString mode = QStringLiteral("vbr");
    QString quality = QStringLiteral("4");
    QString bitrate = QStringLiteral("128");
    for (const QString &piece : pieces) {
        const QString key = keyOf(piece);
        if (piece == QLatin1String("abr") || piece == QLatin1String("cbr"))
            mode = piece;
        else if (key == QLatin1String("vbr"))
            mode = valueOf(piece) == QLatin1String("0")   ? QStringLiteral("cbr")
                   : valueOf(piece) == QLatin1String("3") ? QStringLiteral("abr")
                                                          : QStringLiteral("vbr");
        else if (key == QLatin1String("q"))
            quality = valueOf(piece);
        else if (key == QLatin1String("br"))
            bitrate = valueOf(piece);
        else
            return QStringLiteral("unknown -lameopts entry %1").arg(piece);
    }
    const std::optional<int> vbrQuality = WholeNumberIn(quality, 0, 9);
    const std::optional<int> kbit = WholeNumberIn(bitrate, 8, 640);
    if (mode == QLatin1String("vbr") && !vbrQuality)
        return QStringLiteral("-lameopts q needs a whole number from 0 to 9");
    if (mode != QLatin1String("vbr") && !kbit)
        return QStringLiteral("-lameopts br needs a bitrate from 8 to 640 kbit/s");
    options << QStringLiteral("-c:a") << QStringLiteral("libmp3lame");
    if (mode == QLatin1String("vbr"))
        options << QStringLiteral("-q:a") << QString::number(*vbrQuality);
    else
        options << QStringLiteral("-b:a") << QString::number(*kbit) + QLatin1Char('k');
    if (mode == QLatin1String("abr"))
        options << QStringLiteral("-abr") << QStringLiteral("1");
    return QString();
}

QString audioEncoder(const RawOptions &raw, const LavcOptions &lavc, AudioRequest &audio)
{
    if (raw.nosound) {
        audio.enabled = false;
        return QString();
    }
    const QString oac = raw.value("-oac");
    if (oac == QLatin1String("copy")) {
        audio.copy = true;
    } else if (oac == QLatin1String("pcm")) {
        audio.encoderOptions << QStringLiteral("-c:a") << QStringLiteral("pcm_s16le");
    } else if (oac == QLatin1String("mp3lame")) {
        return lameOptions(raw.lameopts, audio.encoderOptions);
    } else if (oac == QLatin1String("lavc")) {
        const QString codec = lavc.audio.value(QStringLiteral("acodec"), QStringLiteral("mp2"));
        if (!IsKnownAudioEncoder(codec))
            return QStringLiteral("audio codec %1 is not one this encoder knows").arg(codec);
        const std::optional<int> kbit = WholeNumberIn(
            lavc.audio.value(QStringLiteral("abitrate"), QStringLiteral("224")), 8, 1536);
        if (!kbit)
            return QStringLiteral("abitrate needs a bitrate from 8 to 1536 kbit/s");
        audio.encoderOptions << QStringLiteral("-c:a") << codec << QStringLiteral("-b:a")
                             << QString::number(*kbit) + QLatin1Char('k');
    } else if (oac.isEmpty()) {
        return QStringLiteral("no audio encoder chosen (-oac) and no -nosound");
    } else {
        return QStringLiteral("audio encoder %1 is not supported").arg(oac);
    }
    return QString();
}

// The one sound filter: "loudnorm", the sound brought to the program's
// loudness. It changes the sound, so the sound must be encoded; it measures
// the sound first, so a run has one input.
QString soundFilter(const RawOptions &raw, const QStringList &inputs, AudioRequest &audio)
{
    if (!raw.has("-af"))
        return QString();
    if (raw.value("-af") != QLatin1String("loudnorm"))
        return QStringLiteral("audio filter %1 is not supported (-af loudnorm)")
            .arg(raw.value("-af"));
    if (!audio.enabled || audio.copy)
        return QStringLiteral("-af loudnorm needs the sound encoded");
    if (inputs.size() != 1)
        return QStringLiteral("-af loudnorm evens out one input at a time");
    // The limiter works at a rate of its own and brings the sound back to
    // this one.
    if (!raw.has("-srate"))
        return QStringLiteral("-af loudnorm needs -srate");
    audio.evenLoudness = true;
    return QString();
}

QString muxer(const RawOptions &raw, QString &name, bool &fastStart)
{
    const QString of = raw.value("-of");
    if (of.isEmpty() || of == QLatin1String("avi") || of == QLatin1String("mpeg")) {
        name = of.isEmpty() ? QStringLiteral("avi") : of;
        return QString();
    }
    if (of != QLatin1String("lavf"))
        return QStringLiteral("output format %1 is not supported").arg(of);
    for (const QString &piece : raw.lavfopts) {
        if (keyOf(piece) == QLatin1String("format") && !IsKnownMuxer(valueOf(piece)))
            return QStringLiteral("output format %1 is not one this encoder knows")
                .arg(valueOf(piece));
        if (keyOf(piece) == QLatin1String("format"))
            name = valueOf(piece);
        else if (piece == QLatin1String("faststart"))
            fastStart = true;
        else if (piece != QLatin1String("i_certify_that_my_video_stream_does_not_use_b_frames"))
            return QStringLiteral("unknown -lavfopts entry %1").arg(piece);
    }
    if (fastStart && name != QLatin1String("mp4") && name != QLatin1String("mov"))
        return QStringLiteral("faststart needs the mp4 or mov format");
    return QString();
}

QString threadCounts(const RawOptions &raw, const LavcOptions &lavc, ThreadRequest &threads)
{
    if (lavc.video.contains(QStringLiteral("threads"))) {
        const std::optional<int> count =
            positiveNumber(lavc.video.value(QStringLiteral("threads")));
        if (!count)
            return QStringLiteral("-lavcopts threads needs a whole number above 0");
        threads.encoding = *count;
    }
    for (const QString &piece : raw.lavdopts) {
        const std::optional<int> count = positiveNumber(valueOf(piece));
        if (keyOf(piece) != QLatin1String("threads"))
            return QStringLiteral("unknown -lavdopts entry %1").arg(piece);
        if (!count)
            return QStringLiteral("-lavdopts threads needs a whole number above 0");
        threads.decoding = *count;
    }
    return QString();
}

QString numbers(const RawOptions &raw, EncodeRequest &request)
{
    if (raw.has("-srate")) {
        const std::optional<int> rate = positiveNumber(raw.value("-srate"));
        if (!rate)
            return QStringLiteral("-srate needs a sample rate in Hz");
        request.sampleRate = *rate;
    }
    if (raw.has("-channels")) {
        const std::optional<int> channels = positiveNumber(raw.value("-channels"));
        if (!channels || *channels > 8)
            return QStringLiteral("-channels needs a channel count from 1 to 8");
        request.channels = *channels;
    }
    if (raw.has("-ofps")) {
        const std::optional<QString> rate = RateText(raw.value("-ofps"));
        if (!rate)
            return QStringLiteral("-ofps needs a frame rate (30, 29.97 or 30000/1001)");
        request.frameRate = *rate;
    }
    return QString();
}

} // namespace

double FrameRateValue(const QString &text)
{
    const QLocale c = QLocale::c();
    bool ok = false;
    double value = 0;
    if (text.contains(QLatin1Char('/'))) {
        bool denominatorOk = false;
        const double denominator = c.toDouble(text.section(QLatin1Char('/'), 1), &denominatorOk);
        value = c.toDouble(text.section(QLatin1Char('/'), 0, 0), &ok) / denominator;
        ok = ok && denominatorOk;
    } else {
        value = c.toDouble(text, &ok);
    }
    return ok && std::isfinite(value) && value > 0 ? value : 0;
}

ParsedRequest ParseEncoderArguments(const QStringList &arguments)
{
    ParsedRequest parsed;
    EncodeRequest &r = parsed.request;
    RawOptions raw;
    LavcOptions lavc;
    const QString steps[] = {
        readArguments(arguments, raw, r.inputs),
        sortLavcOptions(raw.lavcopts, lavc),
        videoEncoder(raw, lavc, r.video),
        audioEncoder(raw, lavc, r.audio),
        soundFilter(raw, r.inputs, r.audio),
        VideoFilters(raw.value("-vf"), r.video.filters),
        muxer(raw, r.muxer, r.fastStart),
        threadCounts(raw, lavc, r.threads),
        numbers(raw, r),
    };
    for (const QString &error : steps) {
        if (!error.isEmpty()) {
            parsed.error = error;
            return parsed;
        }
    }
    r.output = raw.value("-o");
    r.chapterList = raw.value("-chapters");
    if (raw.has("-chapters") && r.chapterList.isEmpty()) {
        parsed.error = QStringLiteral("-chapters needs the chapter list's file");
        return parsed;
    }
    for (const QString &path : r.inputs + QStringList{r.output, r.chapterList}) {
        if (!IsPlainPath(path)) {
            parsed.error = QStringLiteral("the file name %1 holds a control character")
                               .arg(QString::fromLatin1(path.toUtf8().toPercentEncoding("/ ")));
            return parsed;
        }
    }
    if (r.inputs.isEmpty())
        parsed.error = QStringLiteral("no input file given");
    else if (r.output.isEmpty())
        parsed.error = QStringLiteral("no output file given (-o)");
    return parsed;
}
