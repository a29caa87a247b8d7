// What taking a folder of many short clips into the task list costs, next to
// the `mediainfo` command line reading the same files, and how long the
// window's thread is kept from answering meanwhile.
//
//   bench_intake [--clips N] [--runs N] [--heartbeat MS] [--dir FOLDER] [--keep 1]
//
// The clips are made once with ffmpeg (three kinds, tiny and short) and
// copied up to --clips files. Each run, in turns going first:
//
// 1. the window's intake: "Add Dir" through the real TaskList, its model
//    shown in a list view, from the call to the end of the intake, with a
//    heartbeat timer on the same thread; the largest gap between two beats
//    is the longest stall the window would show;
// 2. the same files through the command line's intake (the thread waits
//    while the workers probe);
// 3. `mediainfo` over all the files in one process, its report discarded.
//
// One more pass probes the files one after another on the calling thread,
// as the intake did before it used worker threads.

#include "benchsupport.h"

#include "platform/messages.h"
#include "tasklist/mediaprobe.h"
#include "tasklist/tasklist.h"
#include "tasklist/tasklistmodel.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <cstdio>

namespace {

struct Options {
    int clips = 300;
    int runs = 3;
    int heartbeatMs = 5;
    QString dir; // where the clips are, or are made; a temporary folder when empty
    bool keep = false;
};

struct WindowRun {
    double seconds = 0;
    double longestStallMs = 0;
    double idleStallMs = 0; // over idleMs before the intake
    int rows = 0;
};

bool runFfmpeg(const QStringList &args)
{
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 QStringList{QStringLiteral("-nostdin"), QStringLiteral("-loglevel"),
                             QStringLiteral("error"), QStringLiteral("-y")} +
                     args);
    return ffmpeg.waitForFinished(120000) && ffmpeg.exitCode() == 0;
}

// Three kinds of clip, 64x48 and half a second each, copied in turn up to
// the count asked for.
QStringList makeClips(const QString &folder, int count)
{
    const QStringList kinds{QStringLiteral("avi"), QStringLiteral("mp4"), QStringLiteral("mpg")};
    const QStringList video{QStringLiteral("mpeg4"), QStringLiteral("mpeg4"),
                            QStringLiteral("mpeg2video")};
    const QStringList sound{QStringLiteral("pcm_s16le"), QStringLiteral("aac"),
                            QStringLiteral("mp2")};
    QStringList sources;
    for (int k = 0; k < kinds.size(); ++k) {
        const QString source = folder + QStringLiteral("/source.") + kinds[k];
        if (!QFile::exists(source) &&
            !runFfmpeg({QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                        QStringLiteral("testsrc2=size=64x48:rate=25:duration=0.5"),
                        QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                        QStringLiteral("sine=duration=0.5"), QStringLiteral("-c:v"), video[k],
                        QStringLiteral("-c:a"), sound[k], QStringLiteral("-pix_fmt"),
                        QStringLiteral("yuv420p"), source}))
            return {};
        sources << source;
    }
    const QString clipFolder = folder + QStringLiteral("/clips");
    QDir().mkpath(clipFolder);
    QStringList clips;
    for (int i = 0; i < count; ++i) {
        const int k = i % kinds.size();
        const QString clip = QStringLiteral("%1/clip%2.%3")
                                 .arg(clipFolder)
                                 .arg(i, 4, 10, QLatin1Char('0'))
                                 .arg(kinds[k]);
        if (!QFile::exists(clip) && !QFile::copy(sources[k], clip))
            return {};
        clips << clip;
    }
    return clips;
}

constexpr int idleMs = 500;

WindowRun windowIntake(const QString &clipFolder, int heartbeatMs)
{
    SilentMessages messages;
    TaskList tasks(&messages);
    // Set up as the window's list is.
    QTreeView view;
    view.setRootIsDecorated(false);
    view.setItemsExpandable(false);
    view.setUniformRowHeights(true);
    view.setModel(tasks.model());
    view.setSelectionModel(tasks.selectionModel());
    view.resize(800, 600);
    view.show();

    QElapsedTimer sinceBeat;
    double longest = 0;
    QTimer heartbeat;
    heartbeat.setTimerType(Qt::PreciseTimer);
    heartbeat.setInterval(heartbeatMs);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        longest = std::max(longest, sinceBeat.nsecsElapsed() / 1e6);
        sinceBeat.start();
    });
    QEventLoop loop;
    QObject::connect(&tasks, &TaskList::intakeFinished, &loop, &QEventLoop::quit);
    heartbeat.start();
    // Let the view settle and the heartbeat find its pace first.
    QTimer::singleShot(100, &loop, &QEventLoop::quit);
    loop.exec();
    // The same heartbeat with nothing coming in: what the machine's other
    // work costs the thread anyway.
    longest = 0;
    sinceBeat.start();
    QTimer::singleShot(idleMs, &loop, &QEventLoop::quit);
    loop.exec();
    WindowRun run;
    run.idleStallMs = longest;
    longest = 0;

    QElapsedTimer clock;
    clock.start();
    sinceBeat.start();
    tasks.AddTaskFolder(clipFolder);
    loop.exec();
    run.seconds = clock.nsecsElapsed() / 1e9;
    // The gap that the end of the intake falls into counts too.
    run.longestStallMs = std::max(longest, sinceBeat.nsecsElapsed() / 1e6);
    run.rows = tasks.count();
    return run;
}

double commandLineIntake(const QString &clipFolder, int &rows)
{
    SilentMessages messages;
    TaskList tasks(&messages);
    QElapsedTimer clock;
    clock.start();
    tasks.AddTaskFolder(clipFolder);
    tasks.waitForIntake();
    rows = tasks.count();
    return clock.nsecsElapsed() / 1e9;
}

double mediainfoCommand(const QStringList &clips)
{
    QProcess mediainfo;
    mediainfo.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    mediainfo.start(QStringLiteral("mediainfo"), clips);
    if (!mediainfo.waitForFinished(600000) || mediainfo.exitCode() != 0)
        return -1;
    return clock.nsecsElapsed() / 1e9;
}

double serialProbes(const QStringList &clips)
{
    QElapsedTimer clock;
    clock.start();
    for (const QString &clip : clips)
        ProbeMediaFile(clip);
    return clock.nsecsElapsed() / 1e9;
}

Options parseOptions(const QStringList &args)
{
    const QMap<QString, QString> given = BenchOptions(args);
    Options options;
    options.clips = given.value("--clips", QString::number(options.clips)).toInt();
    options.runs = given.value("--runs", QString::number(options.runs)).toInt();
    options.heartbeatMs = given.value("--heartbeat", QString::number(options.heartbeatMs)).toInt();
    options.dir = given.value("--dir");
    options.keep = given.value("--keep") == QLatin1String("1");
    return options;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const Options options = parseOptions(app.arguments());

    QTemporaryDir temp;
    temp.setAutoRemove(!options.keep);
    const QString folder = options.dir.isEmpty() ? temp.path() : options.dir;
    QDir().mkpath(folder);
    const QStringList clips = makeClips(folder, options.clips);
    if (clips.isEmpty()) {
        std::fprintf(stderr, "could not make the clips with ffmpeg in %s\n", qPrintable(folder));
        return 1;
    }
    const QString clipFolder = folder + QStringLiteral("/clips");
    std::printf("%d clips in %s, %d runs, heartbeat every %d ms\n", int(clips.size()),
                qPrintable(clipFolder), options.runs, options.heartbeatMs);

    // Every side reads the files from the page cache.
    if (mediainfoCommand(clips) < 0) {
        std::fprintf(stderr, "mediainfo did not run (Debian package mediainfo)\n");
        return 1;
    }

    QList<double> window, stall, idleStall, commandLine, mediainfo;
    for (int run = 0; run < options.runs; ++run) {
        const bool ourFirst = run % 2 == 0;
        if (!ourFirst)
            mediainfo << mediainfoCommand(clips);
        const WindowRun w = windowIntake(clipFolder, options.heartbeatMs);
        int rows = 0;
        const double cli = commandLineIntake(clipFolder, rows);
        if (ourFirst)
            mediainfo << mediainfoCommand(clips);
        window << w.seconds;
        stall << w.longestStallMs;
        idleStall << w.idleStallMs;
        commandLine << cli;
        std::printf("run %d: window intake %.3f s (%d rows, longest stall %.1f ms; "
                    "%.1f ms with nothing coming in), command line intake %.3f s (%d rows), "
                    "mediainfo %.3f s\n",
                    run + 1, w.seconds, w.rows, w.longestStallMs, w.idleStallMs, cli, rows,
                    mediainfo.last());
    }
    const double serial = serialProbes(clips);

    const double mediainfoMedian = Median(mediainfo);
    std::printf("\nmedian of %d runs:\n", options.runs);
    std::printf("  window intake        %.3f s  (%.2f of mediainfo)\n", Median(window),
                Median(window) / mediainfoMedian);
    std::printf("  command line intake  %.3f s  (%.2f of mediainfo)\n", Median(commandLine),
                Median(commandLine) / mediainfoMedian);
    std::printf("  mediainfo            %.3f s\n", mediainfoMedian);
    std::printf("  one probe after another on one thread: %.3f s (one pass)\n", serial);
    std::printf("  longest stall of the window's thread: median %.1f ms, worst %.1f ms\n",
                Median(stall), *std::max_element(stall.begin(), stall.end()));
    std::printf("  the same heartbeat for %d ms with nothing coming in: median %.1f ms, "
                "worst %.1f ms\n",
                idleMs, Median(idleStall), *std::max_element(idleStall.begin(), idleStall.end()));
    if (options.keep)
        std::printf("clips kept in %s\n", qPrintable(clipFolder));
    return 0;
}
