#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The list of chapter titles the program hands to asapi.dll in a file of
// its own (-chapters <file>): one title per input of the join, in input
// order. Titles are file names, and a file name may hold any character but
// "/" and NUL, so they never travel in a command line: the list is a file,
// one line per title, with a backslash written as "\\", a line feed as
// "\n" and a carriage return as "\r". Writer and reader sit side by side.

QString ChapterListText(const QStringList &titles);

// The titles of a list; nothing when the text is not such a list (an
// unknown escape, a lone backslash at a line's end, a NUL, a title longer
// than MaxChapterTitle characters).
std::optional<QStringList> ReadChapterListText(const QString &text);

// Longer than any file name, and short enough for every container's field.
constexpr int MaxChapterTitle = 1024;

// The title of a video's chapter: its file's name without the extension.
QString ChapterTitleOf(const QString &path);
