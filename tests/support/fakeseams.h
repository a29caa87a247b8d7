#pragma once

#include "platform/choosers.h"
#include "platform/jobnotices.h"
#include "platform/messages.h"
#include "platform/poweroff.h"
#include "platform/shellopener.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// One message box as it was shown.
struct ShownMessage {
    enum Kind { Inform, Ask, Plain } kind;
    QString title;
    QString text;
};

// Records every box and answers questions from a script (Yes when the
// script has run out).
class FakeMessages : public Messages {
public:
    void inform(const QString &title, const QString &text) override;
    bool ask(const QString &title, const QString &text) override;
    void plain(const QString &title, const QString &text) override;
    // Shown as a question; answered from answersForAll, else from answers.
    Answer askForAll(const QString &title, const QString &text) override;

    QList<ShownMessage> shown;
    QList<bool> answers;
    QList<Answer> answersForAll;
    // Called after each box is recorded, e.g. to act while a box "is up".
    std::function<void(const ShownMessage &)> onShown;
};

class FakeChoosers : public Choosers {
public:
    QStringList chooseOpenFiles(QWidget *owner, const QStringList &filters,
                                const QString &selectedFilter) override;
    SaveChoice chooseSaveFile(QWidget *owner, const QStringList &filters,
                              const QString &selectedFilter, const QString &startPath,
                              const QString &defaultSuffix) override;
    QString chooseFolder(QWidget *owner, const QString &title, const QString &startFolder) override;

    // Scripted replies.
    QStringList openFilesReply;
    SaveChoice saveReply;
    QString folderReply;

    // What the program asked with.
    int openCalls = 0, saveCalls = 0, folderCalls = 0;
    QStringList lastFilters;
    QString lastSelectedFilter, lastStartPath, lastDefaultSuffix, lastTitle, lastStartFolder;
};

class FakeShell : public ShellOpener {
public:
    bool open(const QString &pathOrAddress) override
    {
        opened << pathOrAddress;
        return opens;
    }
    QStringList opened;
    // What the desktop answers.
    bool opens = true;
};

class FakePowerOff : public PowerOff {
public:
    void powerOff() override { ++calls; }
    int calls = 0;
};

class FakeNotices : public JobNotices {
public:
    void notify(const QString &summary, const QString &body) override
    {
        notifications << summary + QLatin1Char('|') + body;
    }
    void alert(QWidget *) override { ++alerts; }
    void showProgress(double fraction, bool visible) override
    {
        progress << (visible ? fraction : -1.0);
    }

    // "summary|body" of each notification.
    QStringList notifications;
    int alerts = 0;
    // Each progress sent; -1 where it was taken away.
    QList<double> progress;
};
