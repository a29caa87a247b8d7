#pragma once

#include <QString>

// Message boxes and questions, behind one small interface so that tests can
// answer them and record what was shown. Every box is modal and owned by the
// window in front.
class Messages {
public:
    virtual ~Messages() = default;

    // Information icon, one OK button.
    virtual void inform(const QString &title, const QString &text) = 0;
    // Question icon, Yes and No buttons; true when the user answered Yes.
    virtual bool ask(const QString &title, const QString &text) = 0;
    // No icon, one OK button (the failure to start the encoder).
    virtual void plain(const QString &title, const QString &text) = 0;

    // A question asked about each of several items in turn, which may be
    // answered for all the items left: Yes, No, Yes to All and No to All.
    enum class Answer { Yes, No, YesToAll, NoToAll };
    // Where no such buttons can be offered, the plain question.
    virtual Answer askForAll(const QString &title, const QString &text)
    {
        return ask(title, text) ? Answer::Yes : Answer::No;
    }
};
