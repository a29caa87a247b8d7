#include "cli/clioptions.h"

#include "settings/outputchoices.h"
#include "settings/preferences.h"

#include <QCoreApplication>

namespace {

QString setOverwrite(CliRequest &request, OverwriteChoice choice)
{
    if (request.overwrite != OverwriteChoice::FromPreferences && request.overwrite != choice)
        return QCoreApplication::translate("CliArguments",
                                           "--overwrite, --rename and --ask exclude each other");
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
        return QCoreApplication::translate("CliArguments",
                                           "--sort takes name, natural or none, not \"%1\"")
            .arg(value);
    return QString();
}

QString setJobs(CliRequest &request, const QString &value)
{
    bool ok = false;
    const int jobs = value.toInt(&ok);
    if (!ok || jobs < 1 || jobs > MaxConversionsAtOnce)
        return QCoreApplication::translate("CliArguments",
                                           "--jobs takes a number from 1 to %1, not \"%2\"")
            .arg(MaxConversionsAtOnce)
            .arg(value);
    request.jobs = jobs;
    return QString();
}

QString setChapters(CliRequest &request, const QString &value)
{
    if (value != ChapterPerVideoValue && value != NoChaptersValue)
        return QCoreApplication::translate("CliArguments",
                                           "--chapters takes each or none, not \"%1\"")
            .arg(value);
    request.chapters = value;
    return QString();
}

QString setLoudness(CliRequest &request, const QString &value)
{
    // "even" is the profile's "ebur128".
    if (value == AsRecordedValue)
        request.loudness = AsRecordedValue;
    else if (value == QLatin1String("even"))
        request.loudness = EvenLoudnessValue;
    else
        return QCoreApplication::translate("CliArguments",
                                           "--loudness takes recorded or even, not \"%1\"")
            .arg(value);
    return QString();
}

} // namespace

const std::vector<CliOption> &JoinOptions()
{
    static const std::vector<CliOption> options = {
        {"--profile", "NAME",
         QT_TRANSLATE_NOOP("CliUsage", "output profile (default: the one the window "
                                       "remembers;\n--list-profiles shows the names)"),
         [](CliRequest &r, const QString &v) {
             r.profile = v;
             return QString();
         }},
        {"--output", "FILE",
         QT_TRANSLATE_NOOP("CliUsage", "output file (default: the remembered output file); the\n"
                                       "profile's extension is appended when it differs"),
         [](CliRequest &r, const QString &v) {
             r.output = v;
             return QString();
         }},
        {"--overwrite", nullptr, QT_TRANSLATE_NOOP("CliUsage", "overwrite an existing output file"),
         [](CliRequest &r, const QString &) {
             return setOverwrite(r, OverwriteChoice::Overwrite);
         }},
        {"--rename", nullptr,
         QT_TRANSLATE_NOOP("CliUsage", "write to FILE_1, FILE_2, ... instead of an existing file"),
         [](CliRequest &r, const QString &) { return setOverwrite(r, OverwriteChoice::Rename); }},
        {"--ask", nullptr,
         QT_TRANSLATE_NOOP("CliUsage", "ask on the terminal before overwriting; refused when\n"
                                       "standard input is not a terminal\n"
                                       "(default of the three: the choice in Preferences.ini)\n"
                                       "A file that appears at FILE while the job runs is never\n"
                                       "overwritten: the output then goes to a free FILE_N, and\n"
                                       "with --ask the job counts as refused"),
         [](CliRequest &r, const QString &) { return setOverwrite(r, OverwriteChoice::Ask); }},
        {"--temp-dir", "DIR",
         QT_TRANSLATE_NOOP("CliUsage", "folder for the temporary files, which must exist\n"
                                       "(default: Preferences.ini)"),
         [](CliRequest &r, const QString &v) {
             r.tempDir = v;
             return QString();
         }},
        {"--jobs", "N",
         QT_TRANSLATE_NOOP("CliUsage", "conversions at once, 1 to 64 (default: Preferences.ini,\n"
                                       "else one per core)"),
         setJobs},
        {"--sort", "ORDER",
         QT_TRANSLATE_NOOP("CliUsage", "order of the videos: none (as given; the default), name,\n"
                                       "or natural (numbers by value: clip2 before clip10)"),
         setOrder},
        {"--chapters", "WHICH",
         QT_TRANSLATE_NOOP("CliUsage", "each (a chapter per video) or none, in place of the\n"
                                       "profile's own choice; for profiles with a Chapters\n"
                                       "choice"),
         setChapters},
        {"--loudness", "HOW",
         QT_TRANSLATE_NOOP("CliUsage", "recorded (the sound as it is) or even (every video\n"
                                       "brought to one loudness, EBU R128), in place of the\n"
                                       "profile's own choice; for profiles with a Loudness\n"
                                       "choice"),
         setLoudness},
        {"--quiet", nullptr, QT_TRANSLATE_NOOP("CliUsage", "print nothing but errors"),
         [](CliRequest &r, const QString &) {
             r.quiet = true;
             return QString();
         }},
        {"--dry-run", nullptr,
         QT_TRANSLATE_NOOP("CliUsage", "print the encoder command lines the job would run, one a\n"
                                       "line, and run nothing"),
         [](CliRequest &r, const QString &) {
             r.dryRun = true;
             return QString();
         }},
    };
    return options;
}

const CliOption *FindJoinOption(const QString &name)
{
    for (const CliOption &option : JoinOptions()) {
        if (name == QLatin1String(option.name))
            return &option;
    }
    return nullptr;
}

const std::vector<CliCommand> &TopCommands()
{
    static const std::vector<CliCommand> commands = {
        {"--list-profiles", CliRequest::ListProfiles},
        {"--version", CliRequest::Version},
        {"--help", CliRequest::Help},
    };
    return commands;
}
