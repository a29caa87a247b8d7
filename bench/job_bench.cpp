// What the job costs on top of the encoder: a real four-clip job through the
// engine, against the same encoder command lines run straight from a shell
// script, in wall time.
//
//   bench_job [--runs N] [--encoder PATH] [--clip-seconds S] [--frame-size W:H] [--keep 1]
//
// Both sides convert the same four clips (ffmpeg test sources of different
// sizes, frame rates and containers) and join the temporaries with the same
// options; only the engine reads and parses the encoder's output, moves the
// bars, keeps the statuses and checks the files. The two sides take turns
// at going first, and the medians are compared. The engine's own CPU time is
// reported too: on a busy machine it is the steadier figure.

#include "engine/commandline.h"
#include "engine/job.h"
#include "engine/jobview.h"
#include "engine/livesettings.h"
#include "engine/tempfiles.h"
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
    void open(const QString &) override {}
};

class NoPowerOff : public PowerOff {
public:
    void powerOff() override {}
};

int runProcess(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    process.start(program, arguments);
    loop.exec();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

bool makeClip(const QString &path, int width, int height, int fps, double seconds)
{
    const QString duration = QString::number(seconds);
    QStringList args{QStringLiteral("-nostdin"),
                     QStringLiteral("-y"),
                     QStringLiteral("-f"),
                     QStringLiteral("lavfi"),
                     QStringLiteral("-i"),
                     QStringLiteral("testsrc2=size=%1x%2:rate=%3:duration=%4")
                         .arg(width)
                         .arg(height)
                         .arg(fps)
                         .arg(duration),
                     QStringLiteral("-f"),
                     QStringLiteral("lavfi"),
                     QStringLiteral("-i"),
                     QStringLiteral("sine=frequency=440:sample_rate=44100:duration=") + duration};
    if (path.endsWith(QLatin1String(".mpg")))
        args << QStringLiteral("-c:v") << QStringLiteral("mpeg2video") << QStringLiteral("-c:a")
             << QStringLiteral("mp2");
    else
        args << QStringLiteral("-c:v") << QStringLiteral("mpeg4") << QStringLiteral("-c:a")
             << QStringLiteral("libmp3lame");
    args << QStringLiteral("-pix_fmt") << QStringLiteral("yuv420p") << path;
    return runProcess(QStringLiteral("ffmpeg"), args) == 0;
}

QString shellQuoted(const QString &argument)
{
    QString quoted = argument;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString shellLine(const QString &encoder, const QString &commandLine)
{
    QString line = shellQuoted(encoder);
    for (const QString &argument : SplitCommandLine(commandLine))
        line += QLatin1Char(' ') + shellQuoted(argument);
    return line + QStringLiteral(" >/dev/null 2>&1 || exit 1\n");
}

// The job's own command lines, for the script's temporaries and output.
QString writeScript(const QString &scriptPath, const QString &encoder, const QStringList &inputs,
                    const QString &tempFolder, const QString &output,
                    const WorkingSelection &selection, const QString &profile)
{
    QString script = QStringLiteral("#!/bin/sh\n");
    const QString frameSize = BuildVideoSize(selection, profile);
    for (int row = 0; row < inputs.size(); ++row) {
        script += shellLine(
            encoder, ConvertCommandLine(inputs[row], TemporaryPath(tempFolder, row), frameSize));
    }
    script += shellLine(encoder, JoinCommandLine(TemporaryPaths(tempFolder, inputs.size()),
                                                 QuoteArgument(output),
                                                 BuildEncoderOptions(selection, profile)));
    script += QStringLiteral("rm -f");
    for (const QString &temporary : TemporaryPaths(tempFolder, inputs.size()))
        script += QLatin1Char(' ') + shellQuoted(temporary);
    script += QLatin1Char('\n');
    QFile file(scriptPath);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(script.toUtf8());
    return scriptPath;
}

// CPU seconds (user + system) of this process, or of its ended children
// and theirs: unlike wall time, they do not grow when other work shares the
// machine.
double cpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval &t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

Options parseOptions(const QStringList &args)
{
    Options options;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        const QString &name = args[i];
        const QString &value = args[i + 1];
        if (name == QLatin1String("--runs"))
            options.runs = std::max(1, value.toInt());
        else if (name == QLatin1String("--encoder"))
            options.encoder = value;
        else if (name == QLatin1String("--clip-seconds"))
            options.clipSeconds = value.toDouble();
        else if (name == QLatin1String("--frame-size"))
            options.frameSize = value;
        else if (name == QLatin1String("--keep"))
            options.keep = value == QLatin1String("1");
    }
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

    struct Clip {
        const char *name;
        int width, height, fps;
    };
    const Clip clips[] = {{"a.avi", 640, 480, 25},
                          {"b.mpg", 720, 576, 25},
                          {"c.avi", 320, 240, 30},
                          {"d.mpg", 352, 288, 24}};
    TaskListModel tasks;
    QStringList inputs;
    for (const Clip &clip : clips) {
        const QString path = root + QLatin1String(clip.name);
        if (!makeClip(path, clip.width, clip.height, clip.fps, options.clipSeconds)) {
            std::fprintf(stderr, "ffmpeg could not make %s\n", clip.name);
            return 1;
        }
        ltvItemData record;
        record.Caption = path;
        const ProbeResult probe = ProbeMediaFile(path);
        record.SubItems[LengthSlot] = probe.lengthText;
        record.SubItems[SizeSlot] = probe.sizeText;
        record.SubItems[StatusSlot] = addedStatusText();
        tasks.SetItemData(tasks.appendRow(path), WholeRowSelector, record);
        inputs << path;
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

    const QString script =
        writeScript(root + QStringLiteral("job.sh"), programDir + QStringLiteral("asapi.dll"),
                    inputs, root + QStringLiteral("script-temp/"),
                    root + QStringLiteral("script.avi"), selection.selection, view.profile);
    QDir().mkpath(root + QStringLiteral("script-temp"));
    if (script.isEmpty())
        return 1;

    std::printf("four clips of %.0f s each, joined at %s, %d runs per side\n", options.clipSeconds,
                qPrintable(options.frameSize), options.runs);
    QList<double> engineTimes, scriptTimes, engineCpu, engineEncoderCpu, scriptEncoderCpu;
    const auto runEngine = [&] {
        view.output = root + QStringLiteral("engine.avi");
        QEventLoop loop;
        bool succeeded = false;
        const auto connection = QObject::connect(&job, &Job::ended, [&](bool done) {
            succeeded = done;
            loop.quit();
        });
        const double cpuBefore = cpuSeconds(RUSAGE_SELF);
        const double childrenBefore = cpuSeconds(RUSAGE_CHILDREN);
        QElapsedTimer clock;
        clock.start();
        job.imgStartClick();
        if (job.isActive())
            loop.exec();
        engineTimes << clock.nsecsElapsed() / 1e9;
        engineCpu << cpuSeconds(RUSAGE_SELF) - cpuBefore;
        engineEncoderCpu << cpuSeconds(RUSAGE_CHILDREN) - childrenBefore;
        QObject::disconnect(connection);
        if (!succeeded)
            std::fprintf(stderr, "the engine's job failed (%s)\n", qPrintable(messages.last));
        return succeeded;
    };
    const auto runScript = [&] {
        const double childrenBefore = cpuSeconds(RUSAGE_CHILDREN);
        QElapsedTimer clock;
        clock.start();
        const bool succeeded = runProcess(QStringLiteral("/bin/sh"), {script}) == 0;
        scriptTimes << clock.nsecsElapsed() / 1e9;
        scriptEncoderCpu << cpuSeconds(RUSAGE_CHILDREN) - childrenBefore;
        if (!succeeded)
            std::fprintf(stderr, "the script failed\n");
        return succeeded;
    };
    for (int run = 0; run < options.runs; ++run) {
        // Taking turns at going first spreads any warm-up over both sides.
        const bool ran = run % 2 ? runScript() && runEngine() : runEngine() && runScript();
        if (!ran)
            return 1;
        std::printf("run %d: engine %.2f s (its own CPU %.3f s), script %.2f s\n", run + 1,
                    engineTimes.last(), engineCpu.last(), scriptTimes.last());
    }
    if (options.keep)
        std::printf("files kept in %s\n", qPrintable(root));
    const double engine = median(engineTimes);
    const double direct = median(scriptTimes);
    std::printf("median wall time: engine %.2f s, script %.2f s, ratio %.3f\n", engine, direct,
                engine / direct);
    const double ownCpu = median(engineCpu);
    const double engineTotalCpu = median(engineEncoderCpu) + ownCpu;
    const double scriptCpu = median(scriptEncoderCpu);
    std::printf(
        "median CPU time of the engine itself: %.3f s (%.1f %% of the script's wall time)\n",
        ownCpu, 100 * ownCpu / direct);
    std::printf("median CPU time with the encoder: engine %.2f s, script %.2f s, ratio %.3f\n",
                engineTotalCpu, scriptCpu, engineTotalCpu / scriptCpu);
    return 0;
}
