#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

struct AVFormatContext;

// A chapter per input of a join, titled from the program's chapter list
// and starting where the join lays that input down.
struct ChapterMark {
    QString title;
    double start = 0; // seconds from the output's start
    double end = 0;
};

// The marks for inputs of the given lengths (where each next input starts,
// in seconds after the one before). A length that is unknown (<= 0) leaves
// the inputs after it unmarked: where they start is not known either.
QList<ChapterMark> PlaceChapters(const QStringList &titles, const QList<double> &lengths);

// The titles of the chapter list file at path, which must name one per
// input; the reason it cannot be used otherwise.
struct ChapterListReading {
    QStringList titles;
    QString error;
};
ChapterListReading ReadChapterListFile(const QString &path, int inputCount);

// The marks as ffmpeg's metadata file, which hands them to an ffmpeg run
// without any title reaching its command line: every "=", ";", "#", "\" and
// line break of a title is escaped as that format reads it.
QString FfmetadataText(const QList<ChapterMark> &marks);

// The marks set on a file about to be written with libav (before its
// header: MP4 makes room for its chapter track there); 0 or a libav error.
int AddChapters(AVFormatContext &file, const QList<ChapterMark> &marks);
