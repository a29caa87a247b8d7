#include "commandline.h"

#include "contract/encoderlines.h"
#include "picturefit.h"
#include "tasklist/mediaprobe.h"

namespace {

const QChar Quote = QLatin1Char('"');

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

} // namespace

QString QuoteArgument(const QString &path)
{
    return Quote + path + Quote;
}

bool IsQuotable(const QString &path)
{
    return !path.contains(Quote);
}

QStringList ConvertArguments(const QString &inputPath, const QString &tempPath,
                             const FrameSize &frame, const ProbeResult &facts,
                             const ConversionPicture &picture)
{
    QStringList arguments{inputPath, QStringLiteral("-o"), tempPath};
    arguments << QStringLiteral("-oac") << QStringLiteral("pcm") << QStringLiteral("-srate")
              << QStringLiteral("48000") << QStringLiteral("-channels") << QStringLiteral("2")
              << QStringLiteral("-ovc") << QStringLiteral("lavc") << QStringLiteral("-lavcopts");
    if (picture.threads > 0) {
        const QString threads = QStringLiteral("threads=") + QString::number(picture.threads);
        arguments << picture.codecOptions + QLatin1Char(':') + threads
                  << QStringLiteral("-lavdopts") << threads;
    } else {
        arguments << picture.codecOptions;
    }
    arguments << QStringLiteral("-ofps") << picture.frameRate << QStringLiteral("-vf")
              << PictureFilter(frame, facts) + QStringLiteral(",harddup");
    if (picture.timedContainer)
        arguments << QStringLiteral("-of") << QStringLiteral("lavf") << QStringLiteral("-lavfopts")
                  << QStringLiteral("format=matroska");
    if (picture.evenLoudness)
        arguments << QStringLiteral("-af") << QStringLiteral("loudnorm");
    return arguments;
}

QString ConvertCommandLine(const QString &inputPath, const QString &tempPath,
                           const FrameSize &frame)
{
    return CommandText(ConvertArguments(inputPath, tempPath, frame, ProbeResult()));
}

QStringList JoinArguments(const QStringList &inputPaths, const QString &outputPath,
                          const QStringList &options)
{
    return options + inputPaths + QStringList{QStringLiteral("-o"), outputPath};
}

QString JoinCommandLine(const QStringList &inputPaths, const QString &outputPath,
                        const QString &options)
{
    return CommandText(JoinArguments(inputPaths, outputPath, SplitCommandLine(options)));
}

QString CommandText(const QStringList &arguments)
{
    QString text;
    bool fileNext = false; // the value of -o names a file
    bool valueNext = false;
    for (const QString &argument : arguments) {
        const bool option =
            !valueNext && argument.startsWith(QLatin1Char('-')) && argument.size() > 1;
        const bool file = fileNext || (!valueNext && !option);
        const bool split = argument.isEmpty() || argument.contains(QLatin1Char(' ')) ||
                           argument.contains(QLatin1Char('\t'));
        text += QLatin1Char(' ');
        text += file || split ? QuoteArgument(argument) : argument;
        valueNext = option && IsValueOption(argument);
        fileNext = option && argument == QLatin1String("-o");
    }
    return text;
}

QStringList SplitCommandLine(const QString &text)
{
    QStringList arguments;
    QString current;
    bool inArgument = false; // a quote starts an argument even if it stays empty
    bool quoted = false;
    for (const QChar c : text) {
        if (c == Quote) {
            quoted = !quoted;
            inArgument = true;
        } else if (isBlank(c) && !quoted) {
            if (inArgument)
                arguments << current;
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument)
        arguments << current;
    return arguments;
}
