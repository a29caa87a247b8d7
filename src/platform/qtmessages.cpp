#include "platform/qtmessages.h"

#include <QApplication>
#include <QMessageBox>

QWidget *QtMessages::owner() const
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget *active = QApplication::activeWindow())
        return active;
    return MainWindow.data();
}

int QtMessages::showBox(int icon, const QString &title, const QString &text, int buttons)
{
    QMessageBox box(QMessageBox::Icon(icon), title, text, QMessageBox::StandardButtons(buttons),
                    owner());
    return box.exec();
}

void QtMessages::inform(const QString &title, const QString &text)
{
    showBox(QMessageBox::Information, title, text, QMessageBox::Ok);
}

bool QtMessages::ask(const QString &title, const QString &text)
{
    return showBox(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

Messages::Answer QtMessages::askForAll(const QString &title, const QString &text)
{
    switch (showBox(QMessageBox::Question, title, text,
                    QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No |
                        QMessageBox::NoToAll)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::YesToAll:
        return Answer::YesToAll;
    case QMessageBox::NoToAll:
        return Answer::NoToAll;
    default:
        return Answer::No;
    }
}

void QtMessages::plain(const QString &title, const QString &text)
{
    showBox(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
}
