// What the job costs, or gains, against its own command lines: a real
// four-clip job through the engine in this process, against the command
// lines of its plan run one after another from a shell script, in wall time.
//
//   bench_job [--runs N] [--encoder PATH] [--clip-seconds S] [--clips FOLDER]
//             [--frame-size W:H] [--keep 1]
//
// Both sides convert the same four clips (15 s 1280x720 H.264/AAC) and join
// the temporaries with the same options; the engine runs its conversions
// several at once (one per core) and also reads and parses the encoder's
// output, moves the bars, keeps the statuses and checks the files. The two
// sides take turns at going first, and the medians are compared. The
// engine's own CPU time is reported too: on a busy machine it is the
// steadier figure.

#include "benchjobseams.h"
#include "benchsupport.h"

#include "frontend/jobpresenter.h"
#include "engine/job.h"
#include "engine/requestcheck.h"
#include "settings/optionbuilder.h"
#include "tasklist/mediaprobe.h"
#include "tasklist/tasklistmodel.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

struct Options {
    int runs = 3;
    QString encoder = QStringLiteral(BENCH_PROGRAM_DIR "/asapi.dll");
    double clipSeconds = 15;
    QString clips; // a folder that keeps the clips for later runs
    QString frameSize = QStringLiteral("640:480");
    bool keep = false; // leave the clips, the script and both outputs behind
};

Options parseOptions(const QStringList &args)
{
    const QMap<QString, QString> given = BenchOptions(args);
    Options options;
    options.runs = std::max(1, given.value("--runs", QString::number(options.runs)).toInt());
    options.encoder = given.value("--encoder", options.encoder);
    options.clipSeconds = given.value("--clip-seconds", "15").toDouble();
    options.clips = given.value("--clips");
    options.frameSize = given.value("--frame-size", options.frameSize);
    options.keep = given.value("--keep") == QLatin1String("1");
    return options;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const Options options = parseOptions(app.arguments());

    QTemporaryDir work;
    work.setAutoRemove(!options.keep);
    const QString root = work.path() + QLatin1Char('/');
    const QString programDir = root + QStringLiteral("program/");
    QDir().mkpath(programDir);
    if (!QFile::link(options.encoder, programDir + QStringLiteral("asapi.dll"))) {
        std::fprintf(stderr, "cannot link the encoder %s\n", qPrintable(options.encoder));
        return 1;
    }

    const QStringList inputs =
        MakeJobClips(options.clips.isEmpty() ? root + QStringLiteral("clips") : options.clips,
                     options.clipSeconds);
    if (inputs.isEmpty()) {
        std::fprintf(stderr, "ffmpeg could not make the clips\n");
        return 1;
    }
    TaskListModel tasks;
    for (const QString &path : inputs)
        tasks.insertTaskRows(tasks.count(), {TaskRow::probedFile(path, ProbeMediaFile(path))});

    QuietView view;
    view.profile = programDir + QStringLiteral("Profiles/none.bpf");
    const QString engineTemp = root + QStringLiteral("engine-temp/");
    const WorkingSelection selection = joiningSelection(options.frameSize);
    PrintedMessages messages;
    NoShell shell;
    NoPowerOff powerOff;
    Job job;
    JobPresenter presenter(&job, &view, &messages, &shell, &powerOff);

    // The script runs the very command lines of the job's plan, the join
    // writing beside the engine's output under a name of its own.
    view.output = root + QStringLiteral("engine.avi");
    const JobRequest previewed = benchRequest(tasks, view, selection, engineTemp, programDir);
    if (CheckJobRequest(previewed))
        return 1;
    const QStringList lines = PreviewPlan(previewed).describe(previewed.encoderPath);
    const QString script = root + QStringLiteral("job.sh");
    if (!WriteFile(script, SerialScript(lines, JobFolderOf(lines), root + "script-temp/",
                                        root + "script.avi")
                               .toUtf8()))
        return 1;

    std::printf("four clips of %.0f s each, joined at %s, %d runs per side (load %s)\n",
                options.clipSeconds, qPrintable(options.frameSize), options.runs,
                qPrintable(MachineLoad()));
    QList<double> engineTimes, scriptTimes, engineCpu, engineEncoderCpu, scriptEncoderCpu;
    const auto runEngine = [&] {
        view.output = root + QStringLiteral("engine.avi");
        QEventLoop loop;
        bool succeeded = false;
        // The presenter has told the end (its slot comes first) by now.
        const auto connection =
            QObject::connect(&job, &Job::finished, [&](const JobResult &result) {
                succeeded = result.succeeded();
                loop.quit();
            });
        const double cpuBefore = CpuSeconds(RUSAGE_SELF);
        const double childrenBefore = CpuSeconds(RUSAGE_CHILDREN);
        QElapsedTimer clock;
        clock.start();
        if (presenter.start(benchRequest(tasks, view, selection, engineTemp, programDir),
                            AfterCompletion()))
            loop.exec();
        engineTimes << clock.nsecsElapsed() / 1e9;
        engineCpu << CpuSeconds(RUSAGE_SELF) - cpuBefore;
        engineEncoderCpu << CpuSeconds(RUSAGE_CHILDREN) - childrenBefore;
        QObject::disconnect(connection);
        if (!succeeded)
            std::fprintf(stderr, "the engine's job failed (%s)\n", qPrintable(messages.last));
        return succeeded;
    };
    const auto runScript = [&] {
        const double childrenBefore = CpuSeconds(RUSAGE_CHILDREN);
        QElapsedTimer clock;
        clock.start();
        const bool succeeded = RunProcess(QStringLiteral("/bin/sh"), {script}) == 0;
        scriptTimes << clock.nsecsElapsed() / 1e9;
        scriptEncoderCpu << CpuSeconds(RUSAGE_CHILDREN) - childrenBefore;
        if (!succeeded)
            std::fprintf(stderr, "the script failed\n");
        return succeeded;
    };
    for (int run = 0; run < options.runs; ++run) {
        // Taking turns at going first spreads any warm-up over both sides.
        const bool ran = run % 2 ? runScript() && runEngine() : runEngine() && runScript();
        if (!ran)
            return 1;
        std::printf("run %d: engine %.2f s (its own CPU %.3f s), script %.2f s (load %s)\n",
                    run + 1, engineTimes.last(), engineCpu.last(), scriptTimes.last(),
                    qPrintable(MachineLoad()));
    }
    if (options.keep)
        std::printf("files kept in %s\n", qPrintable(root));
    const double engine = Median(engineTimes);
    const double direct = Median(scriptTimes);
    std::printf("median wall time: engine %.2f s, script %.2f s, ratio %.3f\n", engine, direct,
                engine / direct);
    const double ownCpu = Median(engineCpu);
    const double engineTotalCpu = Median(engineEncoderCpu) + ownCpu;
    const double scriptCpu = Median(scriptEncoderCpu);
    std::printf(
        "median CPU time of the engine itself: %.3f s (%.1f %% of the script's wall time)\n",
        ownCpu, 100 * ownCpu / direct);
    std::printf("median CPU time with the encoder: engine %.2f s, script %.2f s, ratio %.3f\n",
                engineTotalCpu, scriptCpu, engineTotalCpu / scriptCpu);
    return 0;
}
