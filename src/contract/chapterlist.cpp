#include "chapterlist.h"

#include <QFileInfo>

namespace {

QString escapedTitle(const QString &title)
{
    QString line;
    for (const QChar c : title) {
        if (c == QLatin1Char('\\'))
            line += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            line += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r'))
            line += QStringLiteral("\\r");
        else
            line += c;
    }
    return line;
}

std::optional<QString> unescapedTitle(const QString &line)
{
    QString title;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == QChar(0) || c == QLatin1Char('\r'))
            return std::nullopt;
        if (c != QLatin1Char('\\')) {
            title += c;
            continue;
        }
        if (++i >= line.size())
            return std::nullopt;
        const QChar escaped = line.at(i);
        if (escaped == QLatin1Char('\\'))
            title += QLatin1Char('\\');
        else if (escaped == QLatin1Char('n'))
            title += QLatin1Char('\n');
        else if (escaped == QLatin1Char('r'))
            title += QLatin1Char('\r');
        else
            return std::nullopt;
    }
    if (title.size() > MaxChapterTitle)
        return std::nullopt;
    return title;
}

} // namespace

QString ChapterListText(const QStringList &titles)
{
    QString text;
    for (const QString &title : titles)
        text += escapedTitle(title) + QLatin1Char('\n');
    return text;
}

std::optional<QStringList> ReadChapterListText(const QString &text)
{
    // Every title ends with its line feed, the last one too.
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
        return std::nullopt;
    QStringList titles;
    QStringList lines = text.split(QLatin1Char('\n'));
    lines.removeLast();
    for (const QString &line : std::as_const(lines)) {
        const std::optional<QString> title = unescapedTitle(line);
        if (!title)
            return std::nullopt;
        titles << *title;
    }
    return titles;
}

QString ChapterTitleOf(const QString &path)
{
    return QFileInfo(path).completeBaseName();
}
