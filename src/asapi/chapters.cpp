#include "chapters.h"

#include "contract/chapterlist.h"

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/mem.h>
}

#include <QFile>

#include <cmath>

namespace {

// Milliseconds: finer than any frame, and what every container keeps.
constexpr AVRational ChapterTimeBase{1, 1000};

qint64 milliseconds(double seconds)
{
    return std::llround(seconds * 1000);
}

QString escapedValue(const QString &text)
{
    QString escaped;
    for (const QChar c : text) {
        if (c == QLatin1Char('=') || c == QLatin1Char(';') || c == QLatin1Char('#') ||
            c == QLatin1Char('\\') || c == QLatin1Char('\n'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return escaped;
}

} // namespace

QList<ChapterMark> PlaceChapters(const QStringList &titles, const QList<double> &lengths)
{
    QList<ChapterMark> marks;
    double start = 0;
    for (int i = 0; i < titles.size() && i < lengths.size(); ++i) {
        if (!(lengths.at(i) > 0) || !std::isfinite(lengths.at(i)))
            break;
        marks << ChapterMark{titles.at(i), start, start + lengths.at(i)};
        start += lengths.at(i);
    }
    return marks;
}

ChapterListReading ReadChapterListFile(const QString &path, int inputCount)
{
    ChapterListReading reading;
    QFile file(path);
    // A list of a few hundred titles is a few hundred kilobytes at most.
    constexpr qint64 Largest = 16 * 1024 * 1024;
    if (!file.open(QIODevice::ReadOnly) || file.size() > Largest) {
        reading.error = QStringLiteral("the chapter list %1 cannot be read").arg(path);
        return reading;
    }
    const QByteArray bytes = file.readAll();
    const QString text = QString::fromUtf8(bytes);
    const std::optional<QStringList> titles =
        text.toUtf8() == bytes ? ReadChapterListText(text) : std::nullopt;
    if (!titles)
        reading.error = QStringLiteral("the chapter list %1 is not a list of titles").arg(path);
    else if (titles->size() != inputCount)
        reading.error = QStringLiteral("the chapter list %1 names %2 titles for %3 inputs")
                            .arg(path)
                            .arg(titles->size())
                            .arg(inputCount);
    else
        reading.titles = *titles;
    return reading;
}

QString FfmetadataText(const QList<ChapterMark> &marks)
{
    QString text = QStringLiteral(";FFMETADATA1\n");
    for (const ChapterMark &mark : marks) {
        text += QStringLiteral("[CHAPTER]\nTIMEBASE=1/1000\nSTART=%1\nEND=%2\ntitle=")
                    .arg(milliseconds(mark.start))
                    .arg(milliseconds(mark.end));
        text += escapedValue(mark.title) + QLatin1Char('\n');
    }
    return text;
}

int AddChapters(AVFormatContext &file, const QList<ChapterMark> &marks)
{
    for (const ChapterMark &mark : marks) {
        auto **grown = static_cast<AVChapter **>(
            av_realloc_array(file.chapters, file.nb_chapters + 1, sizeof(AVChapter *)));
        if (!grown)
            return AVERROR(ENOMEM);
        file.chapters = grown;
        auto *chapter = static_cast<AVChapter *>(av_mallocz(sizeof(AVChapter)));
        if (!chapter)
            return AVERROR(ENOMEM);
        // Owned by the file from here on, and freed with it.
        file.chapters[file.nb_chapters++] = chapter;
        chapter->id = file.nb_chapters;
        chapter->time_base = ChapterTimeBase;
        chapter->start = milliseconds(mark.start);
        chapter->end = milliseconds(mark.end);
        const int added =
            av_dict_set(&chapter->metadata, "title", mark.title.toUtf8().constData(), 0);
        if (added < 0)
            return added;
    }
    return 0;
}
