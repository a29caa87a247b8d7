#include "app/poweroffform.h"

#include <QHideEvent>
#include <QLabel>
#include <QPushButton>

TPowerOffForm::TPowerOffForm(QWidget *mainWindow)
    : MainWindowDialog(mainWindow)
{
    setObjectName(QStringLiteral("frmPowerOffCountdown"));
    setWindowTitle(tr("Turn Off"));
    setFixedSize(330, 96);

    labCountdown = new QLabel(this);
    labCountdown->setObjectName(QStringLiteral("labCountdown"));
    labCountdown->setGeometry(16, 16, 298, 30);

    // Cancel is the default button: a key pressed by chance keeps the
    // computer on.
    auto *btnCancel = new QPushButton(tr("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancelPowerOff"));
    btnCancel->setGeometry(239, 58, 75, 25);
    btnCancel->setDefault(true);
    connect(btnCancel, &QPushButton::clicked, this, &TPowerOffForm::btnCancelPowerOffClick);

    Ticks.setInterval(1000);
    connect(&Ticks, &QTimer::timeout, this, &TPowerOffForm::tick);
}

void TPowerOffForm::start(const std::function<void(bool)> &answer)
{
    Answer = answer;
    Remaining = Seconds;
    showRemaining();
    show();
    raise();
    activateWindow();
    if (Remaining <= 0)
        finish(true);
    else
        Ticks.start();
}

void TPowerOffForm::btnCancelPowerOffClick()
{
    finish(false);
}

void TPowerOffForm::hideEvent(QHideEvent *event)
{
    MainWindowDialog::hideEvent(event);
    if (!event->spontaneous())
        finish(false);
}

void TPowerOffForm::tick()
{
    --Remaining;
    showRemaining();
    if (Remaining <= 0)
        finish(true);
}

void TPowerOffForm::showRemaining()
{
    const int left = qMax(0, Remaining);
    labCountdown->setText(tr("The computer will be turned off in %1 %2.")
                              .arg(left)
                              .arg(left == 1 ? tr("second") : tr("seconds")));
}

// The answer is taken before the dialog hides, so the hide does not answer
// again. It is given from the event loop: the job may show a message or close
// the window, which should not happen inside this dialog's own handlers.
void TPowerOffForm::finish(bool powerOff)
{
    if (!Answer)
        return;
    const std::function<void(bool)> answer = std::move(Answer);
    Answer = nullptr;
    Ticks.stop();
    hide();
    QTimer::singleShot(0, this, [answer, powerOff] { answer(powerOff); });
}
