// brelvane-cli: the window's job from the command line, for scripted joins.
#include "cli/cliarguments.h"
#include "cli/console.h"
#include "cli/exitcodes.h"
#include "cli/interruptsignals.h"
#include "cli/joincommand.h"
#include "platform/translations.h"
#include "settings/preferences.h"
#include "settings/profiles.h"
#include "settings/programinfo.h"
#include "tasklist/filenamebytes.h"
#include "tasklist/orderedprobes.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

void printOut(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    // Before any thread exists, so that every thread and child inherits it.
    InterruptSignals::blockInThisProcess();
    // No window waits for the probes here.
    SetProbesGiveWayToWindow(false);
    QCoreApplication app(argc, argv);
    // The program directory of the window: profiles, preferences and encoder.
    const QString programDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    InstallTranslations(app, programDir);

    const CliParse parse = ParseCliArguments(QCoreApplication::arguments().mid(1));
    if (!parse.ok()) {
        Console(false).error(
            parse.error +
            QCoreApplication::translate("CliJoin", " (brelvane-cli --help shows the usage)"));
        return ExitCode::BadArguments;
    }
    switch (parse.request.command) {
    case CliRequest::Help:
        printOut(UsageText());
        return 0;
    case CliRequest::Version:
        printOut(ProgramInfo::ProgramName + QLatin1Char(' ') + ReadVersionText(programDir) +
                 QLatin1Char('\n'));
        return 0;
    case CliRequest::ListProfiles:
        for (const QString &name : ProfileCatalogue(programDir))
            printOut(name + QLatin1Char('\n'));
        return 0;
    case CliRequest::Join:
        break;
    }
    // An argument that is not valid UTF-8 reaches the program as other
    // text, which names no file: it is refused as it was given.
    for (int i = 1; i < argc; ++i) {
        if (!NameRoundTrips(QByteArray(argv[i]))) {
            Console(false).error(
                QCoreApplication::translate("CliJoin", "the name \"%1\" is not valid UTF-8, so the "
                                                       "program cannot open it; please rename it")
                    .arg(EscapedName(QByteArray(argv[i]))));
            return ExitCode::Refused;
        }
    }
    InterruptSignals interrupts;
    return RunJoin(parse.request, programDir, &interrupts);
}
