// What thousands of files cost from the intake to the join's command lines,
// next to the `mediainfo` command line reading their play times, and how
// long the window's thread is kept from answering meanwhile.
//
//   bench_scale [--sizes 300,1200,5000] [--runs N] [--heartbeat MS] [--dir FOLDER]
//               [--sync-start 1]
//
// One 2 s clip is made with ffmpeg; each size gets a folder of that many
// hard links to it. For every size, --runs times, the sides taking turns at
// going first, each in a process of its own (its wall time, CPU time and
// peak memory as the system counts them):
//
// 1. `brelvane-cli join --dry-run` over the folder: the intake, Start's
//    checks, the plan and its printed command lines;
// 2. the window's side (this program with --window): "Add Dir" through the
//    real TaskList shown in a list view, then Start as the window does it
//    (the request made on the window's thread, the checks on a worker, then
//    the job's plan and its first runs, of an encoder that is not there),
//    with a heartbeat timer on the thread; the largest gap between two beats
//    is the longest the window would not answer. With --sync-start the
//    request, its checks and its plan are made in one go on the window's
//    thread instead, as Start once did;
// 3. `mediainfo --Inform="General;%Duration%"` over all the files.

#include "benchjobseams.h"
#include "benchsupport.h"

#include "engine/job.h"
#include "engine/requestcheck.h"
#include "frontend/jobpresenter.h"
#include "tasklist/tasklist.h"
#include "tasklist/tasklistmodel.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

const QString ProgramDir = QStringLiteral(BENCH_PROGRAM_DIR "/");
const QString Profile = QStringLiteral("AVI - MPEG-4 and MP3");
// --sync-start 1: the window side makes Start's checks on its own thread.
bool SyncStart = false;

// The largest gap between two beats of a timer on the calling thread.
class Heartbeat {
public:
    explicit Heartbeat(int intervalMs)
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(intervalMs);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_longest = std::max(m_longest, m_sinceBeat.nsecsElapsed() / 1e6);
            m_sinceBeat.start();
        });
        m_timer.start();
    }
    void restart()
    {
        m_longest = 0;
        m_sinceBeat.start();
    }
    // The gap that is still open counts too.
    double longestMs() const { return std::max(m_longest, m_sinceBeat.nsecsElapsed() / 1e6); }

private:
    QTimer m_timer;
    QElapsedTimer m_sinceBeat;
    double m_longest = 0;
};

void runEventsFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

struct WindowSide {
    double intakeSeconds = 0;
    double intakeStallMs = 0;
    double startSeconds = 0; // Start's checks and the plan
    double startStallMs = 0;
    double idleStallMs = 0; // the heartbeat with nothing to do
    int rows = 0;
    int planLines = 0;
};

// The window's side, in this process: the results on one line of `result`.
int windowSide(const QString &folder, const QString &result, int heartbeatMs, bool syncStart)
{
    SilentMessages messages;
    TaskList tasks(&messages);
    QTreeView view;
    view.setRootIsDecorated(false);
    view.setItemsExpandable(false);
    view.setUniformRowHeights(true);
    view.setModel(tasks.model());
    view.setSelectionModel(tasks.selectionModel());
    view.resize(800, 600);
    view.show();

    Heartbeat heartbeat(heartbeatMs);
    runEventsFor(100);
    WindowSide side;
    heartbeat.restart();
    runEventsFor(300);
    side.idleStallMs = heartbeat.longestMs();

    QEventLoop loop;
    QObject::connect(&tasks, &TaskList::intakeFinished, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    heartbeat.restart();
    tasks.AddTaskFolder(folder);
    loop.exec();
    side.intakeSeconds = clock.nsecsElapsed() / 1e9;
    side.intakeStallMs = heartbeat.longestMs();
    side.rows = tasks.count();
    runEventsFor(100);

    QTemporaryDir work;
    QuietView jobView;
    jobView.profile = ProgramDir + QStringLiteral("Profiles/") + Profile + QStringLiteral(".bpf");
    jobView.output = work.filePath(QStringLiteral("joined.avi"));
    const QString temp = work.filePath(QStringLiteral("temp/"));
    const WorkingSelection selection = joiningSelection(QStringLiteral("640:480"));
    PrintedMessages jobMessages;
    NoShell shell;
    NoPowerOff powerOff;
    Job job;
    JobPresenter presenter(&job, &jobView, &jobMessages, &shell, &powerOff);
    const auto request = [&] {
        JobRequest made = benchRequest(*tasks.model(), jobView, selection, temp, ProgramDir);
        made.encoderPath = work.filePath(QStringLiteral("missing.dll"));
        return made;
    };
    bool started = false;
    heartbeat.restart();
    if (syncStart) {
        QTimer::singleShot(0, [&] {
            clock.start();
            const JobRequest made = request();
            started = !CheckJobRequest(made);
            side.planLines = int(PreviewPlan(made).conversions.size()) + 1;
            side.startSeconds = clock.nsecsElapsed() / 1e9;
        });
        runEventsFor(50);
        side.startStallMs = heartbeat.longestMs();
    } else {
        // The job passes its checks, plans, and ends at its first run.
        QEventLoop ended;
        QObject::connect(&job, &Job::finished, &ended, [&](const JobResult &result) {
            side.startSeconds = clock.nsecsElapsed() / 1e9;
            started = result.encoderMissing;
            ended.quit();
        });
        QTimer::singleShot(0, [&] {
            clock.start();
            presenter.start(request(), AfterCompletion());
        });
        ended.exec();
        runEventsFor(50);
        side.startStallMs = heartbeat.longestMs();
        // Counted apart: the job's plan was made on a worker.
        side.planLines = int(PreviewPlan(request()).conversions.size()) + 1;
    }
    if (!started)
        return 1;
    return WriteFile(result, QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
                                 .arg(side.intakeSeconds)
                                 .arg(side.intakeStallMs)
                                 .arg(side.startSeconds)
                                 .arg(side.startStallMs)
                                 .arg(side.idleStallMs)
                                 .arg(side.rows)
                                 .arg(side.planLines)
                                 .toLatin1())
               ? 0
               : 1;
}

WindowSide readWindowSide(const QString &result)
{
    QFile file(result);
    WindowSide side;
    if (!file.open(QIODevice::ReadOnly))
        return side;
    const QStringList values = QString::fromLatin1(file.readAll()).split(QLatin1Char(' '));
    side.intakeSeconds = values.value(0).toDouble();
    side.intakeStallMs = values.value(1).toDouble();
    side.startSeconds = values.value(2).toDouble();
    side.startStallMs = values.value(3).toDouble();
    side.idleStallMs = values.value(4).toDouble();
    side.rows = values.value(5).toInt();
    side.planLines = values.value(6).trimmed().toInt();
    return side;
}

// A folder of `count` hard links to the clip, made only when missing.
QStringList linkFolder(const QString &clip, const QString &folder, int count)
{
    QDir().mkpath(folder);
    QStringList files;
    for (int i = 1; i <= count; ++i) {
        const QString file =
            QStringLiteral("%1/c%2.mp4").arg(folder).arg(i, 5, 10, QLatin1Char('0'));
        if (!QFileInfo::exists(file) &&
            ::link(QFile::encodeName(clip).constData(), QFile::encodeName(file).constData()) != 0)
            return {};
        files << file;
    }
    return files;
}

struct SizeFigures {
    QList<double> cli, cliCpu, cliMb, window, windowMb, intakeStall, startStall, idleStall, start,
        mediainfo, mediainfoMb;
};

// One run of every side over the folder, in the order given; false when a
// side failed.
bool runSides(const QString &self, const QString &folder, const QStringList &files, int heartbeatMs,
              bool ownFirst, SizeFigures &figures)
{
    const QString output = folder + QStringLiteral("-out/joined.avi");
    QDir().mkpath(QFileInfo(output).path());
    const QString result = folder + QStringLiteral("-out/window.txt");
    const auto cli = [&] {
        const MeasuredRun run = RunMeasured(ProgramDir + QStringLiteral("brelvane-cli"),
                                            {QStringLiteral("join"), QStringLiteral("--dry-run"),
                                             QStringLiteral("--profile"), Profile,
                                             QStringLiteral("--output"), output, folder});
        figures.cli << run.wall;
        figures.cliCpu << run.cpu;
        figures.cliMb << run.peakMb;
        return run.exitCode == 0;
    };
    const auto window = [&] {
        const MeasuredRun run = RunMeasured(
            self, {QStringLiteral("--window"), folder, QStringLiteral("--result"), result,
                   QStringLiteral("--heartbeat"), QString::number(heartbeatMs),
                   QStringLiteral("--sync-start"), SyncStart ? QStringLiteral("1") : QString()});
        const WindowSide side = readWindowSide(result);
        figures.window << side.intakeSeconds + side.startSeconds;
        figures.windowMb << run.peakMb;
        figures.intakeStall << side.intakeStallMs;
        figures.startStall << side.startStallMs;
        figures.idleStall << side.idleStallMs;
        figures.start << side.startSeconds;
        return run.exitCode == 0 && side.rows == files.size() && side.planLines == files.size() + 1;
    };
    const auto mediainfo = [&] {
        const MeasuredRun run =
            RunMeasured(QStringLiteral("mediainfo"),
                        QStringList{QStringLiteral("--Inform=General;%Duration%")} + files);
        figures.mediainfo << run.wall;
        figures.mediainfoMb << run.peakMb;
        return run.exitCode == 0;
    };
    return ownFirst ? cli() && window() && mediainfo() : mediainfo() && cli() && window();
}

double worst(const QList<double> &values)
{
    return values.isEmpty() ? 0 : *std::max_element(values.begin(), values.end());
}

void printMedians(int size, const SizeFigures &f)
{
    const double mediainfo = Median(f.mediainfo);
    std::printf("%d files, medians of %d runs:\n", size, int(f.mediainfo.size()));
    std::printf("  mediainfo                 %7.3f s, peak %6.1f MB\n", mediainfo,
                Median(f.mediainfoMb));
    std::printf(
        "  brelvane-cli --dry-run    %7.3f s (%.2f of mediainfo; CPU %.3f s), peak %6.1f MB "
        "(worst %.1f)\n",
        Median(f.cli), Median(f.cli) / mediainfo, Median(f.cliCpu), Median(f.cliMb),
        worst(f.cliMb));
    std::printf("  window: intake and Start  %7.3f s (%.2f of mediainfo), peak %6.1f MB "
                "(worst %.1f)\n",
                Median(f.window), Median(f.window) / mediainfo, Median(f.windowMb),
                worst(f.windowMb));
    std::printf("  window: Start's checks and plan %.3f s\n", Median(f.start));
    std::printf("  longest stall: intake %.1f ms (worst %.1f), Start %.1f ms (worst %.1f), "
                "idle heartbeat %.1f ms\n",
                Median(f.intakeStall), worst(f.intakeStall), Median(f.startStall),
                worst(f.startStall), Median(f.idleStall));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QMap<QString, QString> options = BenchOptions(app.arguments());
    const int heartbeatMs = options.value("--heartbeat", "5").toInt();
    if (options.contains("--window"))
        return windowSide(options.value("--window"), options.value("--result"), heartbeatMs,
                          options.value("--sync-start") == QLatin1String("1"));

    const int runs = std::max(1, options.value("--runs", "3").toInt());
    SyncStart = options.value("--sync-start") == QLatin1String("1");
    QTemporaryDir temp;
    const QString root = options.value("--dir", temp.path());
    const QString clip = root + QStringLiteral("/clip.mp4");
    if (!QFileInfo::exists(clip) && !MakeClip(clip, 320, 240, 30, 2, true)) {
        std::fprintf(stderr, "ffmpeg could not make the clip in %s\n", qPrintable(root));
        return 1;
    }
    const QStringList sizes =
        options.value("--sizes", "300,1200,5000").split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &sizeText : sizes) {
        const int size = sizeText.toInt();
        const QString folder = root + QStringLiteral("/links%1").arg(size);
        const QStringList files = linkFolder(clip, folder, size);
        if (files.isEmpty())
            return 1;
        // Every side reads the files from the page cache.
        RunMeasured(QStringLiteral("mediainfo"), files);
        SizeFigures figures;
        for (int run = 0; run < runs; ++run) {
            if (!runSides(app.applicationFilePath(), folder, files, heartbeatMs, run % 2 == 0,
                          figures)) {
                std::fprintf(stderr, "a side failed at %d files\n", size);
                return 1;
            }
            std::printf(
                "%d files, run %d: cli %.3f s %.1f MB, window %.3f s %.1f MB (stalls %.1f / "
                "%.1f ms), mediainfo %.3f s (load %s)\n",
                size, run + 1, figures.cli.last(), figures.cliMb.last(), figures.window.last(),
                figures.windowMb.last(), figures.intakeStall.last(), figures.startStall.last(),
                figures.mediainfo.last(), qPrintable(MachineLoad()));
            std::fflush(stdout);
        }
        printMedians(size, figures);
        std::fflush(stdout);
    }
    return 0;
}
