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

#include "benchsupport.h"

#include "engine/job.h"
#include "engine/jobview.h"
#include "engine/livesettings.h"
#include "platform/messages.h"
#include "platform/poweroff.h"
#include "platform/shellopener.h"
#include "settings/optionbuilder.h"
#include "settings/workingselection.h"
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

// A window that shows nothing: the job's calls still cost what they cost.
class QuietView : public JobView {
public:
    QString outputFileText() const override { return output; }
    void setOutputFileText(const QString &text) override { output = text; }
    void focusTaskList() override {}
    void focusOutputFile() override {}
    QString profilePath() const override { return profile; }
    void DisableJobControls() override {}
    void EnableJobControls() override {}
    void showStartInsteadOfStop() override {}
    void setProcessTitle(const QString &) override {}
    void setConvertingFile(const QString &) override {}
    void setConvertingFileVisible(bool) override {}
    void setElapsedText(const QString &) override {}
    void setRemainingText(const QString &) override {}
    void setCurrentProgress(int, const QString &) override {}
    void setTotalProgress(int value, const QString &) override { total = value; }
    int totalProgress() const override { return total; }
    void showProgressPanel(bool) override {}
    void setEncoderOutput(const QString &) override {}
    void closeProgram() override {}

    QString output, profile;
    int total = 0;
};

class BenchSettings : public LiveSettings {
public:
    QString tempDir() const override { return temp; }
    bool askBeforeOverwrite() const override { return false; }
    bool renameOutput() const override { return false; }
    bool overwriteOutput() const override { return true; }
    bool turnOffWhenDone() const override { return false; }
    bool exitWhenDone() const override { return false; }
    bool openFolderWhenDone() const override { return false; }
    QString temp;
};

class BenchSelection : public SelectionSource {
public:
    WorkingSelection workingSelection() const override { return selection; }
    QString outputExtension() const override { return QStringLiteral(".avi"); }
    WorkingSelection selection;
};

// The messages are the only news of a job's end state; print them.
class PrintedMessages : public Messages {
public:
    void inform(const QString &title, const QString &text) override { tell(title, text); }
    bool ask(const QString &title, const QString &text) override
    {
        tell(title, text);
        return true;
    }
    void plain(const QString &title, const QString &text) override { tell(title, text); }
    void tell(const QString &title, const QString &text)
    {
        last = title;
        if (title != QLatin1String("Complete"))
            std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
    }
    QString last;
};

class NoShell : public ShellOpener {
public:
    bool open(const QString &) override { return false; }
};

class NoPowerOff : public PowerOff {
public:
    void powerOff() override {}
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

WorkingSelection joiningSelection(const QString &frameSize)
{
    WorkingSelection selection;
    selection.videoCodec = 0;
    selection.videoBitrate = QStringLiteral("1200");
    selection.aspect = 0;
    selection.audioCodec = 0;
    selection.audioCodecText = QStringLiteral("MP3");
    selection.audioBitrate = QStringLiteral("128");
    selection.mp3Mode = 0;
    selection.mp3Quality = 0;
    selection.channels = 0;
    selection.listSize = false;
    selection.width = frameSize.section(QLatin1Char(':'), 0, 0);
    selection.height = frameSize.section(QLatin1Char(':'), 1, 1);
    selection.sampleRate = QStringLiteral("44100");
    return selection;
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
    for (const QString &path : inputs) {
        ltvItemData record;
        record.Caption = path;
        const ProbeResult probe = ProbeMediaFile(path);
        record.SubItems[LengthSlot] = probe.lengthText;
        record.SubItems[SizeSlot] = probe.sizeText;
        record.SubItems[StatusSlot] = addedStatusText();
        tasks.SetItemData(tasks.appendRow(path), WholeRowSelector, record);
        tasks.rememberFacts(path, probe);
    }

    QuietView view;
    view.profile = programDir + QStringLiteral("Profiles/none.bpf");
    BenchSettings settings;
    settings.temp = root + QStringLiteral("engine-temp/");
    BenchSelection selection;
    selection.selection = joiningSelection(options.frameSize);
    PrintedMessages messages;
    NoShell shell;
    NoPowerOff powerOff;
    Job job(&tasks, &settings, &selection, &view, &messages, &shell, &powerOff, programDir,
            programDir + QStringLiteral("asapi.dll"));

    // The script runs the very command lines of the job's plan, the join
    // writing beside the engine's output under a name of its own.
    view.output = root + QStringLiteral("engine.avi");
    if (!job.checkStart())
        return 1;
    const QStringList lines = job.previewPlan().describe(programDir + QStringLiteral("asapi.dll"));
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
        const auto connection = QObject::connect(&job, &Job::ended, [&](bool done) {
            succeeded = done;
            loop.quit();
        });
        const double cpuBefore = CpuSeconds(RUSAGE_SELF);
        const double childrenBefore = CpuSeconds(RUSAGE_CHILDREN);
        QElapsedTimer clock;
        clock.start();
        job.imgStartClick();
        if (job.isActive())
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
