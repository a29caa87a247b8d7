#include "libav.h"

#include "inputformats.h"

#include "childprocess.h"

#include <QFile>

namespace libav {

void OutputCloser::operator()(AVFormatContext *context) const
{
    if (context->pb && !(context->oformat->flags & AVFMT_NOFILE))
        avio_closep(&context->pb);
    avformat_free_context(context);
}

namespace {

thread_local bool quietThread = false;

void logUnlessQuiet(void *context, int level, const char *format, va_list arguments)
{
    if (!quietThread)
        av_log_default_callback(context, level, format, arguments);
}

} // namespace

void showErrorsOnly()
{
    av_log_set_level(AV_LOG_ERROR);
    av_log_set_callback(logUnlessQuiet);
}

void quietOnThisThread()
{
    quietThread = true;
}

QString errorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromLocal8Bit(text);
}

void stopOnSignal(AVFormatContext *context)
{
    context->interrupt_callback.callback = [](void *) { return StopSignalReceived() != 0 ? 1 : 0; };
    context->interrupt_callback.opaque = nullptr;
}

int openInput(const QString &path, Input &input)
{
    AVFormatContext *context = avformat_alloc_context();
    if (!context)
        return AVERROR(ENOMEM);
    stopOnSignal(context);
    // With "file:", a name holding a colon is not taken for a protocol.
    const QByteArray url = "file:" + QFile::encodeName(path);
    AVDictionary *options = nullptr;
    av_dict_set(&options, "format_whitelist", InputFormats, 0);
    av_dict_set(&options, "protocol_whitelist", InputProtocols, 0);
    int result = avformat_open_input(&context, url.constData(), nullptr, &options);
    av_dict_free(&options);
    if (result < 0)
        return result; // the context is freed
    input.reset(context);
    result = avformat_find_stream_info(context, nullptr);
    return result < 0 ? result : 0;
}

} // namespace libav
