#include "fakeseams.h"

void FakeMessages::inform(const QString &title, const QString &text)
{
    shown.append({ShownMessage::Inform, title, text});
    if (onShown)
        onShown(shown.constLast());
}

bool FakeMessages::ask(const QString &title, const QString &text)
{
    shown.append({ShownMessage::Ask, title, text});
    if (onShown)
        onShown(shown.constLast());
    return answers.isEmpty() ? true : answers.takeFirst();
}

Messages::Answer FakeMessages::askForAll(const QString &title, const QString &text)
{
    if (answersForAll.isEmpty())
        return ask(title, text) ? Answer::Yes : Answer::No;
    shown.append({ShownMessage::Ask, title, text});
    if (onShown)
        onShown(shown.constLast());
    return answersForAll.takeFirst();
}

void FakeMessages::plain(const QString &title, const QString &text)
{
    shown.append({ShownMessage::Plain, title, text});
    if (onShown)
        onShown(shown.constLast());
}

QStringList FakeChoosers::chooseOpenFiles(QWidget *, const QStringList &filters,
                                          const QString &selectedFilter)
{
    ++openCalls;
    lastFilters = filters;
    lastSelectedFilter = selectedFilter;
    return openFilesReply;
}

SaveChoice FakeChoosers::chooseSaveFile(QWidget *, const QStringList &filters,
                                        const QString &selectedFilter, const QString &startPath,
                                        const QString &defaultSuffix)
{
    ++saveCalls;
    lastFilters = filters;
    lastSelectedFilter = selectedFilter;
    lastStartPath = startPath;
    lastDefaultSuffix = defaultSuffix;
    return saveReply;
}

QString FakeChoosers::chooseFolder(QWidget *, const QString &title, const QString &startFolder)
{
    ++folderCalls;
    lastTitle = title;
    lastStartFolder = startFolder;
    return folderReply;
}
