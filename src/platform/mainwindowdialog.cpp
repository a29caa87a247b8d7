#include "platform/mainwindowdialog.h"

#include <QCloseEvent>
#include <QHideEvent>
#include <QShowEvent>
#include <QWindow>

MainWindowDialog::MainWindowDialog(QWidget *mainWindow)
    : QDialog(nullptr)
    , MainWindow(mainWindow)
{
}

void MainWindowDialog::setVisible(bool visible)
{
    if (visible && MainWindow) {
        // Both windows must exist before one can be made transient for the
        // other; the window manager reads the hint when the dialog is mapped.
        create();
        MainWindow->window()->winId();
        windowHandle()->setTransientParent(MainWindow->window()->windowHandle());
    }
    QDialog::setVisible(visible);
}

void MainWindowDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (MainWindow) {
        MainWindow->setEnabled(false);
        move(MainWindow->frameGeometry().center() - rect().center());
    }
    FormShow();
}

void MainWindowDialog::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    // Every way of closing ends here: OK, Cancel, Escape and the frame's button.
    if (!event->spontaneous() && MainWindow)
        MainWindow->setEnabled(true);
}

void MainWindowDialog::closeEvent(QCloseEvent *event)
{
    event->accept();
}
