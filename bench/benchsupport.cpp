#include "benchsupport.h"

#include "engine/commandline.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

QMap<QString, QString> BenchOptions(const QStringList &arguments)
{
    QMap<QString, QString> options;
    for (int i = 1; i + 1 < arguments.size(); i += 2)
        options.insert(arguments[i], arguments[i + 1]);
    return options;
}

int RunProcess(const QString &program, const QStringList &arguments, QByteArray *output)
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

MeasuredRun RunMeasured(const QString &program, const QStringList &arguments)
{
    QList<QByteArray> texts{QFile::encodeName(program)};
    for (const QString &argument : arguments)
        texts << QFile::encodeName(argument);
    std::vector<char *> argv;
    for (QByteArray &text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    MeasuredRun run;
    QElapsedTimer clock;
    clock.start();
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return run;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return run;
    run.wall = clock.nsecsElapsed() / 1e9;
    const auto seconds = [](const timeval &t) { return t.tv_sec + t.tv_usec / 1e6; };
    run.cpu = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    run.peakMb = usage.ru_maxrss / 1024.0; // kilobytes on Linux
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

bool MakeClip(const QString &path, int width, int height, int fps, double seconds, bool h264)
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
                     QStringLiteral("sine=frequency=440:sample_rate=48000:duration=") + duration};
    if (path.endsWith(QLatin1String(".mpg")))
        args << "-c:v"
             << "mpeg2video"
             << "-c:a"
             << "mp2";
    else if (path.endsWith(QLatin1String(".avi")))
        args << "-c:v"
             << "mpeg4"
             << "-c:a"
             << "libmp3lame";
    else
        args << "-c:v" << (h264 ? "libx264" : "mpeg4") << "-c:a"
             << "aac";
    args << "-pix_fmt"
         << "yuv420p" << path;
    return RunProcess(QStringLiteral("ffmpeg"), args) == 0;
}

QStringList MakeJobClips(const QString &folder, double seconds)
{
    QDir().mkpath(folder);
    QStringList clips;
    for (int i = 1; i <= 4; ++i) {
        const QString path = QDir(folder).filePath(QStringLiteral("clip%1.mp4").arg(i));
        if (!QFileInfo::exists(path) && !MakeClip(path, 1280, 720, 30, seconds, true))
            return {};
        clips << path;
    }
    return clips;
}

QString ShellQuoted(const QString &argument)
{
    QString quoted = argument;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString JobFolderOf(const QStringList &lines)
{
    const QStringList args = SplitCommandLine(lines.value(0));
    const QString target = args.value(args.indexOf(QStringLiteral("-o")) + 1);
    return target.isEmpty() ? QString() : QFileInfo(target).path() + QLatin1Char('/');
}

QString SerialScript(QStringList lines, const QString &jobFolder, const QString &scriptFolder,
                     const QString &joinOutput)
{
    QString script =
        QStringLiteral("#!/bin/sh\nmkdir -p %1 || exit 1\n").arg(ShellQuoted(scriptFolder));
    for (int i = 0; i < lines.size(); ++i) {
        QStringList args = SplitCommandLine(lines[i]);
        // The chapter list is a file the job writes just before its join;
        // the script joins without chapters, which costs the same.
        if (const qsizetype chapters = args.indexOf(QStringLiteral("-chapters")); chapters >= 0)
            args.remove(chapters, 2);
        if (i + 1 == lines.size())
            args[args.lastIndexOf(QStringLiteral("-o")) + 1] = joinOutput;
        QStringList quoted;
        for (QString arg : std::as_const(args)) {
            if (!jobFolder.isEmpty() && arg.startsWith(jobFolder))
                arg.replace(0, jobFolder.size(), scriptFolder);
            quoted << ShellQuoted(arg);
        }
        script += quoted.join(QLatin1Char(' ')) + QStringLiteral(" >/dev/null 2>&1 || exit 1\n");
    }
    return script + QStringLiteral("rm -rf %1\n").arg(ShellQuoted(scriptFolder));
}

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

double CpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval &t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double Median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

QString MachineLoad()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    return QString::fromLatin1(file.readAll()).section(QLatin1Char(' '), 0, 2);
}

bool TimedSide::run(const QString &program, const QStringList &arguments)
{
    const double cpuBefore = CpuSeconds(RUSAGE_CHILDREN);
    QElapsedTimer clock;
    clock.start();
    const bool succeeded = RunProcess(program, arguments) == 0;
    wall << clock.nsecsElapsed() / 1e9;
    cpu << CpuSeconds(RUSAGE_CHILDREN) - cpuBefore;
    return succeeded;
}

void SilentMessages::inform(const QString &title, const QString &text)
{
    std::fprintf(stderr, "message: %s: %s\n", qPrintable(title), qPrintable(text.left(200)));
}
