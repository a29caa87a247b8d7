#include "commandline.h"

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

QString ConvertCommandLine(const QString &inputPath, const QString &tempPath,
                           const FrameSize &frame, const ProbeResult &facts,
                           const ConversionPicture &picture)
{
    QString line;
    line += QLatin1String(" \"");
    line += inputPath;
    line += Quote;
    line += QLatin1String(" -o ");
    line += QuoteArgument(tempPath);
    line += QLatin1String(" -oac pcm -srate 48000 -channels 2 -ovc lavc -lavcopts ");
    line += picture.codecOptions;
    if (picture.threads > 0) {
        const QString threads = QStringLiteral("threads=") + QString::number(picture.threads);
        line += QLatin1Char(':') + threads + QStringLiteral(" -lavdopts ") + threads;
    }
    line += QLatin1String(" -ofps ");
    line += picture.frameRate;
    line += QLatin1String(" -vf ");
    line += PictureFilter(frame, facts);
    line += QLatin1String(",harddup");
    if (picture.timedContainer)
        line += QLatin1String(" -of lavf -lavfopts format=matroska");
    if (picture.evenLoudness)
        line += QLatin1String(" -af loudnorm");
    return line;
}

QString ConvertCommandLine(const QString &inputPath, const QString &tempPath,
                           const FrameSize &frame)
{
    return ConvertCommandLine(inputPath, tempPath, frame, ProbeResult());
}

QString JoinCommandLine(const QStringList &tempPaths, const QString &outputArgument,
                        const QString &options)
{
    QString line = options;
    for (const QString &temp : tempPaths) {
        line += QLatin1Char(' ');
        line += QuoteArgument(temp);
    }
    line += QLatin1Char(' ');
    line += QLatin1String("-o");
    line += QLatin1Char(' ');
    line += outputArgument;
    return line;
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
