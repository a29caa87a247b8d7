#include "platform/qtmessages.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QWidget *windowInFront()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

int showBox(QMessageBox::Icon icon, const QString &title, const QString &text,
            QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, title, text, buttons, windowInFront());
    return box.exec();
}

} // namespace

void QtMessages::inform(const QString &title, const QString &text)
{
    showBox(QMessageBox::Information, title, text, QMessageBox::Ok);
}

bool QtMessages::ask(const QString &title, const QString &text)
{
    return showBox(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

void QtMessages::plain(const QString &title, const QString &text)
{
    showBox(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
}
