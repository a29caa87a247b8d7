#pragma once

#include "platform/messages.h"

#include <QPointer>
#include <QWidget>

// Message boxes owned by the window in front, or by the main window when no
// window of the program is active (the program behind others, or minimised):
// a box without an owner could fall behind the window it speaks for.
class QtMessages : public Messages {
public:
    void inform(const QString &title, const QString &text) override;
    bool ask(const QString &title, const QString &text) override;
    void plain(const QString &title, const QString &text) override;
    Answer askForAll(const QString &title, const QString &text) override;

    void setMainWindow(QWidget *window) { MainWindow = window; }
    // The window the next box belongs to.
    QWidget *owner() const;

private:
    int showBox(int icon, const QString &title, const QString &text, int buttons);

    QPointer<QWidget> MainWindow;
};
