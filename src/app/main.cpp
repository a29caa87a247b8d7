#include "app/mainform.h"
#include "platform/dbusjobnotices.h"
#include "platform/logindpoweroff.h"
#include "platform/qtchoosers.h"
#include "platform/qtmessages.h"
#include "platform/qtshellopener.h"
#include "platform/translations.h"
#include "tasklist/filenamebytes.h"
#include "tasklist/tasklist.h"

#include <QApplication>
#include <QFile>
#include <QScreen>

namespace {

// The arguments as text, but for names that are not valid UTF-8: those
// would reach the list as other names, which name no file, and be lost
// without a word. They are told instead.
QStringList TakenArguments(int argc, char **argv, QStringList &unreadable)
{
    QStringList taken;
    for (int i = 1; i < argc; ++i) {
        const QByteArray name(argv[i]);
        if (NameRoundTrips(name))
            taken << QFile::decodeName(name);
        else
            unreadable << EscapedName(name);
    }
    return taken;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString programDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    InstallTranslations(app, programDir);
    QtMessages messages;
    QtChoosers choosers;
    QtShellOpener shell;
    LogindPowerOff power;
    DBusJobNotices notices;
    const DesktopSeams seams{&messages, &choosers, &shell, &power, &notices};

    QStringList unreadable;
    const QStringList arguments = TakenArguments(argc, argv, unreadable);
    TMainForm window(programDir, seams, arguments);
    messages.setMainWindow(&window);
    const QRect screen = window.screen()->availableGeometry();
    window.move(screen.center() - window.rect().center());
    window.show();
    if (!unreadable.isEmpty()) {
        messages.inform(TaskList::refusedTitle(),
                        UnreadableNamesLead() + unreadable.join(QLatin1Char('\n')));
    }
    return app.exec();
}
