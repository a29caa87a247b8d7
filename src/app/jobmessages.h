#pragma once

#include "platform/messages.h"

#include <functional>

// The messages of a job: each box is first announced to whoever listens
// (the window tells the desktop when it is not in front), then shown by the
// window's own messages. A job's end is told by such a box, before the job
// has ended, so that is where word of it must leave.
class JobMessages : public Messages {
public:
    using Listener = std::function<void(const QString &title, const QString &text)>;

    JobMessages(Messages *shown, Listener beforeBox)
        : Shown(shown)
        , BeforeBox(std::move(beforeBox))
    {
    }

    void inform(const QString &title, const QString &text) override
    {
        BeforeBox(title, text);
        Shown->inform(title, text);
    }
    bool ask(const QString &title, const QString &text) override
    {
        BeforeBox(title, text);
        return Shown->ask(title, text);
    }
    void plain(const QString &title, const QString &text) override
    {
        BeforeBox(title, text);
        Shown->plain(title, text);
    }
    Answer askForAll(const QString &title, const QString &text) override
    {
        BeforeBox(title, text);
        return Shown->askForAll(title, text);
    }

private:
    Messages *Shown;
    Listener BeforeBox;
};
