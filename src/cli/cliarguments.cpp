#include "cli/cliarguments.h"

#include "settings/preferences.h"

namespace {

const QString JoinCommand = QStringLiteral("join");

bool isHelpOption(const QString &arg)
{
    return arg == QLatin1String("--help") || arg == QLatin1String("-h");
}

bool takesValue(const QString &name)
{
    return name == QLatin1String("--profile") || name == QLatin1String("--output") ||
           name == QLatin1String("--temp-dir") || name == QLatin1String("--sort") ||
           name == QLatin1String("--jobs");
}

bool isFlag(const QString &name)
{
    return name == QLatin1String("--overwrite") || name == QLatin1String("--rename") ||
           name == QLatin1String("--ask") || name == QLatin1String("--quiet") ||
           name == QLatin1String("--dry-run");
}

QString setOverwrite(CliRequest &request, OverwriteChoice choice)
{
    if (request.overwrite != OverwriteChoice::FromPreferences && request.overwrite != choice)
        return QStringLiteral("--overwrite, --rename and --ask exclude each other");
    request.overwrite = choice;
    return QString();
}

QString setOrder(CliRequest &request, const QString &value)
{
    if (value == QLatin1String("name"))
        request.order = RowOrder::Name;
    else if (value == QLatin1String("natural"))
        request.order = RowOrder::Natural;
    else if (value == QLatin1String("none"))
        request.order = RowOrder::Keep;
    else
        return QStringLiteral("--sort takes name, natural or none, not \"%1\"").arg(value);
    return QString();
}

QString setJobs(CliRequest &request, const QString &value)
{
    bool ok = false;
    const int jobs = value.toInt(&ok);
    if (!ok || jobs < 1 || jobs > MaxConversionsAtOnce)
        return QStringLiteral("--jobs takes a number from 1 to %1, not \"%2\"")
            .arg(MaxConversionsAtOnce)
            .arg(value);
    request.jobs = jobs;
    return QString();
}

QString applyValue(CliRequest &request, const QString &name, const QString &value)
{
    if (name == QLatin1String("--profile"))
        request.profile = value;
    else if (name == QLatin1String("--output"))
        request.output = value;
    else if (name == QLatin1String("--temp-dir"))
        request.tempDir = value;
    else if (name == QLatin1String("--jobs"))
        return setJobs(request, value);
    else
        return setOrder(request, value);
    return QString();
}

QString applyFlag(CliRequest &request, const QString &name)
{
    if (name == QLatin1String("--overwrite"))
        return setOverwrite(request, OverwriteChoice::Overwrite);
    if (name == QLatin1String("--rename"))
        return setOverwrite(request, OverwriteChoice::Rename);
    if (name == QLatin1String("--ask"))
        return setOverwrite(request, OverwriteChoice::Ask);
    if (name == QLatin1String("--quiet"))
        request.quiet = true;
    else
        request.dryRun = true;
    return QString();
}

// One option at args[i], with its value when it takes one ("--name value"
// or "--name=value"); i is left on the last argument used.
QString takeOption(CliRequest &request, const QStringList &args, int &i)
{
    const QString arg = args.at(i);
    const int equals = arg.indexOf(QLatin1Char('='));
    const QString name = equals < 0 ? arg : arg.left(equals);
    if (takesValue(name)) {
        if (equals >= 0)
            return applyValue(request, name, arg.mid(equals + 1));
        if (i + 1 >= args.size())
            return QStringLiteral("%1 needs a value").arg(name);
        return applyValue(request, name, args.at(++i));
    }
    if (isFlag(name)) {
        if (equals >= 0)
            return QStringLiteral("%1 takes no value").arg(name);
        return applyFlag(request, name);
    }
    return QStringLiteral("unknown option \"%1\"").arg(arg);
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
        parse.error = QStringLiteral("join needs the videos to join");
    return parse;
}

CliParse commandWithoutArguments(CliRequest::Command command, const QStringList &args)
{
    CliParse parse;
    parse.request.command = command;
    if (args.size() > 1)
        parse.error = QStringLiteral("%1 takes no further arguments").arg(args.first());
    return parse;
}

} // namespace

CliParse ParseCliArguments(const QStringList &args)
{
    if (args.isEmpty())
        return CliParse{CliRequest{}, QStringLiteral("no command given")};
    const QString &first = args.first();
    if (first == JoinCommand)
        return parseJoin(args.mid(1));
    if (isHelpOption(first) || first == QLatin1String("help"))
        return CliParse{CliRequest{}, QString()};
    if (first == QLatin1String("--version"))
        return commandWithoutArguments(CliRequest::Version, args);
    if (first == QLatin1String("--list-profiles"))
        return commandWithoutArguments(CliRequest::ListProfiles, args);
    if (first.startsWith(QLatin1Char('-')))
        return CliParse{CliRequest{}, QStringLiteral("unknown option \"%1\"").arg(first)};
    return CliParse{CliRequest{}, QStringLiteral("unknown command \"%1\"").arg(first)};
}

QString UsageText()
{
    return QStringLiteral(
        "Usage:\n"
        "  brelvane-cli join [OPTIONS] INPUT...\n"
        "  brelvane-cli --list-profiles\n"
        "  brelvane-cli --version\n"
        "  brelvane-cli --help\n"
        "\n"
        "Joins the videos into one output file, as Start in the window does: every\n"
        "input is converted into a temporary file, then the temporaries are joined\n"
        "with the output profile's options. Profiles, \"Preferences.ini\" and the\n"
        "encoder are the window's own, in the program directory.\n"
        "\n"
        "INPUT is a video file, a folder (its video files, as \"Add Dir\" adds them),\n"
        "or @FILE: a text file with one file or folder a line. A name ending in\n"
        "\".tmp\" is read as such a list too, as the window's command line reads it.\n"
        "\n"
        "Options of join:\n"
        "  --profile NAME     output profile (default: the one the window remembers;\n"
        "                     --list-profiles shows the names)\n"
        "  --output FILE      output file (default: the remembered output file); the\n"
        "                     profile's extension is appended when it differs\n"
        "  --overwrite        overwrite an existing output file\n"
        "  --rename           write to FILE_1, FILE_2, ... instead of an existing file\n"
        "  --ask              ask on the terminal before overwriting; refused when\n"
        "                     standard input is not a terminal\n"
        "                     (default of the three: the choice in Preferences.ini)\n"
        "                     A file that appears at FILE while the job runs is never\n"
        "                     overwritten: the output then goes to a free FILE_N, and\n"
        "                     with --ask the job counts as refused\n"
        "  --temp-dir DIR     folder for the temporary files, which must exist\n"
        "                     (default: Preferences.ini)\n"
        "  --jobs N           conversions at once, 1 to 64 (default: Preferences.ini,\n"
        "                     else one per core)\n"
        "  --sort ORDER       order of the videos: none (as given; the default), name,\n"
        "                     or natural (numbers by value: clip2 before clip10)\n"
        "  --quiet            print nothing but errors\n"
        "  --dry-run          print the encoder command lines the job would run, one a\n"
        "                     line, and run nothing\n"
        "\n"
        "Progress goes to standard error; the written output file's path to standard\n"
        "output. The window's after-completion actions (open the folder, exit, turn\n"
        "the computer off) do not apply here.\n"
        "\n"
        "Exit status: 0 the output was written; 2 bad arguments; 3 an input or the\n"
        "job was refused; 4 the encoder failed; 130 stopped by Ctrl+C (143 by\n"
        "SIGTERM). A stopped job leaves no temporary file behind.\n");
}
