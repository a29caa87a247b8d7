#include "cli/cliarguments.h"

#include "cli/clioptions.h"

#include <QCoreApplication>

namespace {

const QString JoinCommand = QStringLiteral("join");
// Where the help page's option texts start.
constexpr int HelpColumn = 21;

bool isHelpOption(const QString &arg)
{
    return arg == QLatin1String("--help") || arg == QLatin1String("-h");
}

// One option at args[i], with its value when it takes one ("--name value"
// or "--name=value"); i is left on the last argument used.
QString takeOption(CliRequest &request, const QStringList &args, int &i)
{
    const QString arg = args.at(i);
    const int equals = arg.indexOf(QLatin1Char('='));
    const QString name = equals < 0 ? arg : arg.left(equals);
    const CliOption *option = FindJoinOption(name);
    if (!option)
        return QCoreApplication::translate("CliArguments", "unknown option \"%1\"").arg(arg);
    if (!option->takesValue()) {
        if (equals >= 0)
            return QCoreApplication::translate("CliArguments", "%1 takes no value").arg(name);
        return option->target(request, QString());
    }
    if (equals >= 0)
        return option->target(request, arg.mid(equals + 1));
    if (i + 1 >= args.size())
        return QCoreApplication::translate("CliArguments", "%1 needs a value").arg(name);
    return option->target(request, args.at(++i));
}

CliParse parseJoin(const QStringList &args)
{
    CliParse parse;
    parse.request.command = CliRequest::Join;
    bool optionsEnded = false;
    for (int i = 0; i < args.size() && parse.ok(); ++i) {
        const QString &arg = args.at(i);
        if (optionsEnded || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            parse.request.inputs << arg;
        } else if (arg == QLatin1String("--")) {
            optionsEnded = true;
        } else if (isHelpOption(arg)) {
            return CliParse{CliRequest{}, QString()};
        } else {
            parse.error = takeOption(parse.request, args, i);
        }
    }
    if (parse.ok() && parse.request.inputs.isEmpty())
        parse.error = QCoreApplication::translate("CliArguments", "join needs the videos to join");
    return parse;
}

CliParse commandWithoutArguments(CliRequest::Command command, const QStringList &args)
{
    CliParse parse;
    parse.request.command = command;
    if (args.size() > 1)
        parse.error = QCoreApplication::translate("CliArguments", "%1 takes no further arguments")
                          .arg(args.first());
    return parse;
}

// "  --profile NAME     output profile ...", the help's further lines below
// its first.
QString optionRows(const CliOption &option)
{
    QString head = QStringLiteral("  ") + QLatin1String(option.name);
    if (option.takesValue())
        head += QLatin1Char(' ') + QLatin1String(option.argument);
    const QString indent(HelpColumn, QLatin1Char(' '));
    const QStringList lines =
        QCoreApplication::translate("CliUsage", option.help).split(QLatin1Char('\n'));
    QString rows =
        head.leftJustified(HelpColumn - 1) + QLatin1Char(' ') + lines.first() + QLatin1Char('\n');
    for (const QString &line : lines.mid(1))
        rows += indent + line + QLatin1Char('\n');
    return rows;
}

} // namespace

CliParse ParseCliArguments(const QStringList &args)
{
    if (args.isEmpty())
        return CliParse{CliRequest{},
                        QCoreApplication::translate("CliArguments", "no command given")};
    const QString &first = args.first();
    if (first == JoinCommand)
        return parseJoin(args.mid(1));
    if (isHelpOption(first) || first == QLatin1String("help"))
        return CliParse{CliRequest{}, QString()};
    for (const CliCommand &command : TopCommands()) {
        if (first == QLatin1String(command.name))
            return commandWithoutArguments(command.command, args);
    }
    if (first.startsWith(QLatin1Char('-')))
        return CliParse{
            CliRequest{},
            QCoreApplication::translate("CliArguments", "unknown option \"%1\"").arg(first)};
    return CliParse{
        CliRequest{},
        QCoreApplication::translate("CliArguments", "unknown command \"%1\"").arg(first)};
}

QString UsageText()
{
    QString usage = QCoreApplication::translate("CliUsage", "Usage:") + QLatin1Char('\n') +
                    QStringLiteral("  brelvane-cli join [OPTIONS] INPUT...\n");
    for (const CliCommand &command : TopCommands())
        usage +=
            QStringLiteral("  brelvane-cli ") + QLatin1String(command.name) + QLatin1Char('\n');
    usage += QLatin1Char('\n') +
             QCoreApplication::translate(
                 "CliUsage",
                 "Joins the videos into one output file, as Start in the window does: every\n"
                 "input is converted into a temporary file, then the temporaries are joined\n"
                 "with the output profile's options. Profiles, \"Preferences.ini\" and the\n"
                 "encoder are the window's own, in the program directory.\n"
                 "\n"
                 "INPUT is a video file, a folder (its video files, as \"Add Dir\" adds them),\n"
                 "or @FILE: a text file with one file or folder a line. A name ending in\n"
                 "\".tmp\" is read as such a list too, as the window's command line reads it.\n") +
             QLatin1Char('\n') + QCoreApplication::translate("CliUsage", "Options of join:") +
             QLatin1Char('\n');
    for (const CliOption &option : JoinOptions())
        usage += optionRows(option);
    usage += QLatin1Char('\n') +
             QCoreApplication::translate(
                 "CliUsage",
                 "Progress goes to standard error; the written output file's path to standard\n"
                 "output. The window's after-completion actions (open the folder, exit, turn\n"
                 "the computer off) do not apply here.\n"
                 "\n"
                 "Exit status: 0 the output was written; 2 bad arguments; 3 an input or the\n"
                 "job was refused; 4 the encoder failed; 130 stopped by Ctrl+C (143 by\n"
                 "SIGTERM). A stopped job leaves no temporary file behind.\n");
    return usage;
}
