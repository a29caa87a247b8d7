// What brelvane-cli costs on top of the encoder: a four-clip job through the
// command line front end, against a bare shell script running the very
// encoder command lines the front end prints with --dry-run, in wall time.
//
//   bench_cli [--runs N] [--clip-seconds S] [--quiet 1] [--keep 1]
//
// Both sides convert the same four clips (ffmpeg test sources of different
// sizes, frame rates and containers) with the shipped profile "AVI - MPEG-4
// and MP3" and join the temporaries; the front end also starts up, probes
// the inputs, reads and parses the encoder's output and prints its progress
// (to /dev/null, as plain lines). The sides take turns at going first and
// the medians are compared.

#include "engine/commandline.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

const QString Cli = QStringLiteral(BENCH_PROGRAM_DIR "/brelvane-cli");
const QString Profile = QStringLiteral("AVI - MPEG-4 and MP3");

struct Options {
    int runs = 3;
    double clipSeconds = 15;
    bool quiet = false; // --quiet for the front end
    bool keep = false;  // leave the clips, the script and both outputs behind
};

Options parseOptions(const QStringList &args)
{
    Options options;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        const QString &name = args[i];
        const QString &value = args[i + 1];
        if (name == QLatin1String("--runs"))
            options.runs = std::max(1, value.toInt());
        else if (name == QLatin1String("--clip-seconds"))
            options.clipSeconds = value.toDouble();
        else if (name == QLatin1String("--quiet"))
            options.quiet = value == QLatin1String("1");
        else if (name == QLatin1String("--keep"))
            options.keep = value == QLatin1String("1");
    }
    return options;
}

// Runs a program to its end (this is a benchmark, not the program: it may
// wait); its exit code, -1 when it did not end normally.
int runProcess(const QString &program, const QStringList &arguments, QByteArray *output = nullptr)
{
    QProcess process;
    if (!output)
        process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForFinished(-1))
        return -1;
    if (output)
        *output = process.readAllStandardOutput();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

bool makeClip(const QString &path, int width, int height, int fps, double seconds)
{
    const QString duration = QString::number(seconds);
    QStringList args{"-nostdin",
                     "-y",
                     "-f",
                     "lavfi",
                     "-i",
                     QStringLiteral("testsrc2=size=%1x%2:rate=%3:duration=%4")
                         .arg(width)
                         .arg(height)
                         .arg(fps)
                         .arg(duration),
                     "-f",
                     "lavfi",
                     "-i",
                     QStringLiteral("sine=frequency=440:sample_rate=44100:duration=") + duration};
    if (path.endsWith(QLatin1String(".mpg")))
        args << "-c:v"
             << "mpeg2video"
             << "-c:a"
             << "mp2";
    else
        args << "-c:v"
             << "mpeg4"
             << "-c:a"
             << "aac";
    args << "-pix_fmt"
         << "yuv420p" << path;
    return runProcess(QStringLiteral("ffmpeg"), args) == 0;
}

QString shellQuoted(const QString &argument)
{
    QString quoted = argument;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// The script of the command lines --dry-run printed: every encoder run in
// turn, output to /dev/null, then the temporaries removed (the conversion
// runs name them after "-o").
QString scriptOf(const QStringList &dryRunLines)
{
    QString script = QStringLiteral("#!/bin/sh\n");
    QStringList temporaries;
    for (int i = 0; i < dryRunLines.size(); ++i) {
        const QStringList args = SplitCommandLine(dryRunLines[i]);
        QStringList quoted;
        for (const QString &arg : args)
            quoted << shellQuoted(arg);
        script += quoted.join(QLatin1Char(' ')) + QStringLiteral(" >/dev/null 2>&1 || exit 1\n");
        if (i + 1 < dryRunLines.size())
            temporaries << shellQuoted(args.value(args.indexOf(QStringLiteral("-o")) + 1));
    }
    return script + QStringLiteral("rm -f ") + temporaries.join(QLatin1Char(' ')) + "\n";
}

double childrenCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval &t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Side {
    QList<double> wall;
    QList<double> cpu; // with the encoder runs
    // Runs the program once; false when it failed.
    bool run(const QString &program, const QStringList &arguments)
    {
        const double cpuBefore = childrenCpuSeconds();
        QElapsedTimer clock;
        clock.start();
        const bool succeeded = runProcess(program, arguments) == 0;
        wall << clock.nsecsElapsed() / 1e9;
        cpu << childrenCpuSeconds() - cpuBefore;
        return succeeded;
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const Options options = parseOptions(app.arguments());
    QTemporaryDir work;
    work.setAutoRemove(!options.keep);
    const QString root = work.path() + QLatin1Char('/');

    struct Clip {
        const char *name;
        int width, height, fps;
    };
    const Clip clips[] = {{"a.mp4", 640, 480, 25},
                          {"b.mpg", 720, 576, 25},
                          {"c.mp4", 320, 240, 30},
                          {"d.mpg", 352, 288, 24}};
    QStringList inputs;
    for (const Clip &clip : clips) {
        inputs << root + QLatin1String(clip.name);
        if (!makeClip(inputs.last(), clip.width, clip.height, clip.fps, options.clipSeconds)) {
            std::fprintf(stderr, "ffmpeg could not make %s\n", clip.name);
            return 1;
        }
    }
    const auto joinArgs = [&](const QString &side) {
        return QStringList{"join",        "--profile",         Profile,
                           "--overwrite", "--temp-dir",        root + side + "-temp/",
                           "--output",    root + side + ".avi"} +
               inputs;
    };

    QByteArray printed;
    if (runProcess(Cli, joinArgs("script") + QStringList{"--dry-run"}, &printed) != 0) {
        std::fprintf(stderr, "%s --dry-run failed\n", qPrintable(Cli));
        return 1;
    }
    const QStringList lines = QString::fromLocal8Bit(printed).split('\n', Qt::SkipEmptyParts);
    QFile script(root + QStringLiteral("job.sh"));
    if (lines.size() != 5 || !script.open(QIODevice::WriteOnly) ||
        script.write(scriptOf(lines).toUtf8()) < 0 || !QDir().mkpath(root + "script-temp"))
        return 1;
    script.close();

    QStringList cliArgs = joinArgs("cli");
    if (options.quiet)
        cliArgs << "--quiet";
    std::printf("four clips of %.0f s each, profile \"%s\", %d runs per side%s\n",
                options.clipSeconds, qPrintable(Profile), options.runs,
                options.quiet ? ", --quiet" : "");
    Side cli;
    Side bare;
    for (int run = 0; run < options.runs; ++run) {
        // Taking turns at going first spreads any warm-up over both sides.
        const bool ran = run % 2
                             ? bare.run("/bin/sh", {script.fileName()}) && cli.run(Cli, cliArgs)
                             : cli.run(Cli, cliArgs) && bare.run("/bin/sh", {script.fileName()});
        if (!ran) {
            std::fprintf(stderr, "run %d failed\n", run + 1);
            return 1;
        }
        std::printf("run %d: brelvane-cli %.2f s, script %.2f s\n", run + 1, cli.wall.last(),
                    bare.wall.last());
    }
    if (options.keep)
        std::printf("files kept in %s\n", qPrintable(root));
    const double cliWall = median(cli.wall);
    const double bareWall = median(bare.wall);
    std::printf("median wall time: brelvane-cli %.2f s, script %.2f s, ratio %.3f\n", cliWall,
                bareWall, cliWall / bareWall);
    const double cliCpu = median(cli.cpu);
    const double bareCpu = median(bare.cpu);
    std::printf("median CPU time with the encoder: brelvane-cli %.2f s, script %.2f s, ratio "
                "%.3f (difference %.2f s)\n",
                cliCpu, bareCpu, cliCpu / bareCpu, cliCpu - bareCpu);
    return 0;
}
