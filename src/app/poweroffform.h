#pragma once

#include "platform/mainwindowdialog.h"

#include <QTimer>
#include <functional>

class QLabel;

// The last chance before the computer is turned off after a job: a countdown
// with a Cancel button. Each start gets exactly one answer, from the event
// loop: true when the count reaches 0, false when the user cancels or closes
// the dialog. Created once and hidden when closed, like the other dialogs.
class TPowerOffForm : public MainWindowDialog {
    Q_OBJECT

public:
    static constexpr int DefaultSeconds = 60;

    explicit TPowerOffForm(QWidget *mainWindow);

    // Where the count starts; takes effect at the next start.
    void setSeconds(int seconds) { Seconds = seconds; }
    int seconds() const { return Seconds; }

    // Shows the dialog and counts down from seconds().
    void start(const std::function<void(bool)> &answer);

    void btnCancelPowerOffClick();

protected:
    // Every way of closing the dialog (Cancel, Escape, the frame's button)
    // keeps the computer on.
    void hideEvent(QHideEvent *event) override;

private:
    void tick();
    void showRemaining();
    void finish(bool powerOff);

    QLabel *labCountdown = nullptr;
    QTimer Ticks;
    int Seconds = DefaultSeconds;
    int Remaining = 0;
    std::function<void(bool)> Answer;
};
