#include "app/mainform.h"
#include "platform/dbusjobnotices.h"
#include "platform/logindpoweroff.h"
#include "platform/qtchoosers.h"
#include "platform/qtmessages.h"
#include "platform/qtshellopener.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QtMessages messages;
    QtChoosers choosers;
    QtShellOpener shell;
    LogindPowerOff power;
    DBusJobNotices notices;
    const DesktopSeams seams{&messages, &choosers, &shell, &power, &notices};

    TMainForm window(QCoreApplication::applicationDirPath() + QLatin1Char('/'), seams,
                     app.arguments().mid(1));
    messages.setMainWindow(&window);
    const QRect screen = window.screen()->availableGeometry();
    window.move(screen.center() - window.rect().center());
    window.show();
    return app.exec();
}
