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
};
