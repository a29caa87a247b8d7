#include "cli/joincommand.h"

#include "cli/clisettings.h"
#include "cli/console.h"
#include "cli/exitcodes.h"
#include "cli/inputintake.h"
#include "cli/interruptsignals.h"
#include "cli/profileselection.h"
#include "cli/progressprinter.h"
#include "cli/rowordering.h"
#include "cli/terminalmessages.h"
#include "contract/encoderlines.h"
#include "engine/job.h"
#include "engine/requestcheck.h"
#include "engine/tempfiles.h"
#include "frontend/jobpresenter.h"
#include "settings/preferences.h"
#include "settings/profiles.h"
#include "tasklist/tasklist.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>

#include <cstdio>

namespace {

// A relative path on the command line means one in the working folder. A
// trailing "/" is kept: it says the name is missing, which Start reports.
QString fullPath(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isRelative())
        return path;
    QString full = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    if (path.endsWith(QLatin1Char('/')) && !full.endsWith(QLatin1Char('/')))
        full += QLatin1Char('/');
    return full;
}

std::optional<QString> fullPath(const std::optional<QString> &path)
{
    if (!path)
        return std::nullopt;
    return fullPath(*path);
}

// A temp folder named on the command line is used as it is: when it cannot
// be, the job must not quietly write elsewhere.
QString TempDirProblem(const std::optional<QString> &tempDir)
{
    if (!tempDir)
        return QString();
    const QFileInfo info(fullPath(*tempDir));
    if (!info.exists())
        return QCoreApplication::translate("CliJoin", "the temp folder \"%1\" does not exist")
            .arg(*tempDir);
    if (!info.isDir())
        return QCoreApplication::translate("CliJoin", "the temp folder \"%1\" is not a folder")
            .arg(*tempDir);
    return QString();
}

void printResult(const QString &line)
{
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

// Everything a job from the command line is made of, in the order the
// window makes it: the preferences and the profile, the task list, the job.
class JoinRun {
public:
    JoinRun(const CliRequest &request, const QString &programDir, const QString &profileName,
            InterruptSignals *interrupts)
        : m_request(request)
        , m_programDir(programDir)
        , m_profilePath(ProfilePath(programDir, profileName))
        , m_interrupts(interrupts)
        , m_console(request.quiet)
        , m_settings(LoadPreferences(programDir), request.overwrite, fullPath(request.tempDir),
                     request.jobs)
        , m_selection(m_profilePath)
        , m_messages(&m_console, interrupts->descriptor())
        , m_tasks(&m_messages)
        , m_view(&m_console,
                 request.output ? fullPath(*request.output) : ReadRememberedOutputFile(programDir))
        , m_presenter(&m_job, &m_view, &m_messages, nullptr, nullptr)
    {
        // A job from the command line may run unattended: a file that appears
        // at the output path is kept, and the result saved beside it.
        m_presenter.setAsksDuringJob(false);
    }

    int run()
    {
        if (const int status = chooseOutputChoices())
            return status;
        if (const int status = takeInputs())
            return status;
        return m_request.dryRun ? printCommandLines() : runJob();
    }

private:
    int interruptedStatus() const { return ExitCode::ByInterruptBase + m_interrupts->received(); }
    int refusedStatus() const
    {
        return m_interrupts->takePending() ? interruptedStatus() : ExitCode::Refused;
    }

    // 0 when the profile offers what --chapters and --loudness ask for.
    int chooseOutputChoices()
    {
        const struct {
            const std::optional<QString> &value;
            const QString &section;
            const char *option;
        } choices[] = {{m_request.chapters, ChaptersSection, "--chapters"},
                       {m_request.loudness, LoudnessSection, "--loudness"}};
        for (const auto &choice : choices) {
            if (!choice.value || m_selection.choose(choice.section, *choice.value))
                continue;
            m_console.error(QCoreApplication::translate(
                                "CliJoin", "the profile \"%1\" offers no %2 choice for %3")
                                .arg(QFileInfo(m_profilePath).completeBaseName(), choice.section,
                                     QLatin1String(choice.option)));
            return ExitCode::BadArguments;
        }
        return 0;
    }

    // 0 when every input is on the list.
    int takeInputs()
    {
        const ExpandedInputs expanded = ExpandInputs(m_request.inputs);
        QStringList problems = expanded.problems;
        for (const QString &entry : expanded.entries) {
            const QString problem = EntryProblem(entry);
            if (!problem.isEmpty())
                problems << problem;
        }
        for (const QString &problem : qAsConst(problems))
            m_console.error(problem);
        if (!problems.isEmpty())
            return ExitCode::Refused;
        for (const QString &folder : FoldersWithoutInputs(expanded.entries))
            m_console.note(QCoreApplication::translate(
                               "CliJoin", "the folder \"%1\" holds no video of a type the "
                                          "program takes")
                               .arg(folder));

        AddEntries(m_tasks, expanded.entries);
        if (m_interrupts->takePending())
            return interruptedStatus();
        if (m_messages.hasShown(TaskList::refusedTitle()) ||
            m_messages.hasShown(TaskList::unreadableListTitle()) || m_messages.questionUnanswered())
            return ExitCode::Refused;
        OrderTaskRows(m_tasks.model(), m_request.order);
        return 0;
    }

    JobRequest jobRequest() const
    {
        JobRequest job;
        job.selection = m_selection.workingSelection();
        job.profileExtension = m_selection.outputExtension();
        job.programDir = m_programDir;
        ResolveJobRequest(job, *m_tasks.model(), m_profilePath, m_view.outputFileText());
        const OverwriteButtons buttons = m_settings.buttons();
        job.overwrite = OverwriteRule{buttons.ask, buttons.rename};
        job.tempDir = m_settings.tempDir();
        job.conversionsAtOnce = m_settings.conversionsAtOnce();
        job.encoderPath = EncoderPathIn(m_programDir);
        return job;
    }

    int printCommandLines()
    {
        const JobRequest job = jobRequest();
        if (!job.profileChoice.isEmpty())
            m_view.showProfileChoice(job.profileChoice, job.profileChoiceDetail);
        if (const auto refusal = CheckJobRequest(job)) {
            m_messages.inform(refusal->title, refusal->text);
            return refusedStatus();
        }
        if (QFileInfo::exists(job.outputPath) && job.overwrite.ask && !AskToOverwrite(&m_messages))
            return refusedStatus();
        const JobPlan plan = PreviewPlan(job);
        for (const QString &line : plan.describe(job.encoderPath))
            printResult(line);
        return ExitCode::Joined;
    }

    int runJob()
    {
        QEventLoop loop;
        bool ended = false;
        JobResult result;
        QObject::connect(&m_job, &Job::finished, &loop, [&](const JobResult &finished) {
            ended = true;
            result = finished;
            loop.quit();
        });
        // Ctrl+C is Stop: the job kills the encoder and takes its cancel path.
        QObject::connect(m_interrupts, &InterruptSignals::arrived, &m_presenter,
                         &JobPresenter::stop);

        // A run that crashed or was killed could not remove its temporaries;
        // the next job clears them. A dry run changes nothing.
        RemoveLeftoverJobFoldersFor(m_settings.tempDir(), m_programDir);
        if (!m_presenter.start(jobRequest(), AfterCompletion()))
            return ExitCode::Refused;
        if (!ended)
            loop.exec();
        return endStatus(result);
    }

    int endStatus(const JobResult &result)
    {
        switch (result.kind) {
        case JobResult::Succeeded:
            return succeededStatus(result);
        case JobResult::Refused:
            return refusedStatus();
        case JobResult::Cancelled:
        case JobResult::EncoderFailed:
            break;
        }
        if (m_interrupts->received())
            return interruptedStatus();
        return result.kind == JobResult::EncoderFailed ? ExitCode::EncoderFailed
                                                       : ExitCode::Refused;
    }

    int succeededStatus(const JobResult &result)
    {
        // The result was kept under a free name, which the message gave.
        if (result.nobodyAsked)
            return ExitCode::Refused;
        if (!IsWrittenFile(result.outputPath)) {
            m_console.error(
                QCoreApplication::translate("CliJoin", "the output file \"%1\" is missing or empty")
                    .arg(result.outputPath));
            return ExitCode::EncoderFailed;
        }
        if (!m_request.quiet)
            printResult(result.outputPath);
        return ExitCode::Joined;
    }

    const CliRequest &m_request;
    QString m_programDir;
    QString m_profilePath;
    InterruptSignals *m_interrupts;
    Console m_console;
    CliSettings m_settings;
    ProfileSelection m_selection;
    TerminalMessages m_messages;
    TaskList m_tasks;
    ProgressPrinter m_view;
    Job m_job;
    JobPresenter m_presenter;
};

} // namespace

int RunJoin(const CliRequest &request, const QString &programDir, InterruptSignals *interrupts)
{
    const QStringList catalogue = ProfileCatalogue(programDir);
    QString profileName;
    if (request.profile) {
        if (!catalogue.contains(*request.profile)) {
            Console(false).error(QCoreApplication::translate("CliJoin",
                                                             "no profile \"%1\" in %2Profiles/ "
                                                             "(--list-profiles shows the profiles)")
                                     .arg(*request.profile, programDir));
            return ExitCode::BadArguments;
        }
        profileName = *request.profile;
    } else {
        // The profile the window selects when it is shown; none when the
        // remembered one is no longer listed.
        const int position = RememberedProfilePosition(programDir, catalogue);
        if (position >= 0)
            profileName = catalogue.at(position);
    }
    if (const QString problem = TempDirProblem(request.tempDir); !problem.isEmpty()) {
        Console(false).error(problem);
        return ExitCode::BadArguments;
    }
    JoinRun run(request, programDir, profileName, interrupts);
    return run.run();
}
