// The job through brelvane-cli against two yardsticks, in wall time:
//
//   bench_cli [--runs N] [--clip-seconds S] [--clips FOLDER] [--jobs N] [--quiet 1] [--keep 1]
//             [--profile NAME]
//
// 1. the serial script of the job's own command lines (what "--dry-run"
//    prints, run one after another by /bin/sh), which shows what running
//    the conversions side by side gains;
// 2. ffmpeg's one-pass concat filter making the same kind of file from the
//    same clips (640x480 MPEG-4 at 1200 kbit/s with VBR MP3 at 44.1 kHz in
//    AVI, the default profile's options as the encoder turns them into
//    ffmpeg's).
// With --profile "MP4 - H.264 and AAC" the yardstick is the same concat
// filter encoding once with libx264 at the profile's preset and CRF (fast,
// 22) and AAC at 160 kbit/s, 48 kHz, in MP4 with the index first, at the
// clips' own size and 30 fps, as the profile's defaults make it.
// The clips are four 15 s 1280x720 H.264/AAC files (kept in --clips FOLDER
// for later runs when given). The sides take turns at going first; the
// medians are compared, with the machine's load beside every run.

#include "benchsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>

namespace {

const QString Cli = QStringLiteral(BENCH_PROGRAM_DIR "/brelvane-cli");
const QString DefaultProfile = QStringLiteral("AVI - MPEG-4 and MP3");
const QString H264Profile = QStringLiteral("MP4 - H.264 and AAC");

// ffmpeg's concat filter over the clips, each first brought to the common
// frame (fitted with bars, as the conversions fit it), rate and sound, then
// encoded once with the profile's options.
QStringList concatFilterInputs(const QStringList &clips, const QString &frame, int sampleRate)
{
    QStringList args{"-nostdin", "-y", "-loglevel", "error"};
    QString graph;
    QString pads;
    for (int i = 0; i < clips.size(); ++i) {
        args << "-i" << clips[i];
        graph += QStringLiteral("[%1:v]scale=%2:force_original_aspect_ratio=decrease,"
                                "pad=%2:-1:-1,setsar=1,fps=30[v%1];"
                                "[%1:a]aresample=%3,aformat=channel_layouts=stereo[a%1];")
                     .arg(i)
                     .arg(frame)
                     .arg(sampleRate);
        pads += QStringLiteral("[v%1][a%1]").arg(i);
    }
    graph += pads + QStringLiteral("concat=n=%1:v=1:a=1[v][a]").arg(clips.size());
    return args + QStringList{"-filter_complex", graph, "-map", "[v]", "-map", "[a]"};
}

QStringList concatFilterArguments(const QStringList &clips, const QString &output)
{
    return concatFilterInputs(clips, QStringLiteral("640:480"), 44100) +
           QStringList{"-c:v", "mpeg4", "-b:v", "1200000", "-mbd", "2", "-c:a", "libmp3lame",
                       "-q:a", "4",     "-ar",  "44100",   "-ac",  "2", output};
}

QStringList h264ConcatFilterArguments(const QStringList &clips, const QString &output)
{
    return concatFilterInputs(clips, QStringLiteral("1280:720"), 48000) +
           QStringList{"-c:v",    "libx264", "-preset",   "fast",       "-crf", "22",  "-pix_fmt",
                       "yuv420p", "-c:a",    "aac",       "-b:a",       "160k", "-ar", "48000",
                       "-ac",     "2",       "-movflags", "+faststart", output};
}

// The whole file's rate in kilobits per second over its play time.
double FileKbitPerSecond(const QString &path)
{
    QByteArray printed;
    RunProcess(QStringLiteral("ffprobe"),
               {"-v", "error", "-show_entries", "format=duration,size", "-of", "csv=p=0", path},
               &printed);
    const QList<QByteArray> values = printed.trimmed().split(',');
    if (values.size() != 2 || values[0].toDouble() <= 0)
        return 0;
    return values[1].toDouble() * 8 / 1000 / values[0].toDouble();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QMap<QString, QString> options = BenchOptions(app.arguments());
    const int runs = qMax(1, options.value("--runs", "2").toInt());
    const double clipSeconds = options.value("--clip-seconds", "15").toDouble();
    const bool keep = options.value("--keep") == QLatin1String("1");
    QTemporaryDir work;
    work.setAutoRemove(!keep);
    const QString root = work.path() + QLatin1Char('/');

    const QStringList clips =
        MakeJobClips(options.value("--clips", root + QStringLiteral("clips")), clipSeconds);
    if (clips.isEmpty()) {
        std::fprintf(stderr, "ffmpeg could not make the clips\n");
        return 1;
    }
    const QString profile = options.value("--profile", DefaultProfile);
    const bool h264 = profile == H264Profile;
    const QString extension = h264 ? QStringLiteral(".mp4") : QStringLiteral(".avi");
    QStringList cliArgs{"join",       "--profile",        profile,    "--overwrite",
                        "--temp-dir", root + "cli-temp/", "--output", root + "cli" + extension};
    if (options.contains("--jobs"))
        cliArgs << "--jobs" << options.value("--jobs");
    if (options.value("--quiet") == QLatin1String("1"))
        cliArgs << "--quiet";
    cliArgs += clips;

    // A temp folder named on the command line must exist.
    QDir().mkpath(root + "cli-temp/");
    QByteArray printed;
    if (RunProcess(Cli, cliArgs + QStringList{"--dry-run"}, &printed) != 0) {
        std::fprintf(stderr, "%s --dry-run failed\n", qPrintable(Cli));
        return 1;
    }
    const QStringList lines = QString::fromLocal8Bit(printed).split('\n', Qt::SkipEmptyParts);
    const QString jobFolder = JobFolderOf(lines);
    const QString script = root + QStringLiteral("job.sh");
    if (lines.size() != clips.size() + 1 || jobFolder.isEmpty() ||
        !WriteFile(script, SerialScript(lines, jobFolder, root + "script-temp/",
                                        root + "script" + extension)
                               .toUtf8())) {
        std::fprintf(stderr, "unexpected --dry-run output:\n%s", printed.constData());
        return 1;
    }
    const QString ffmpegOutput = root + QStringLiteral("ffmpeg") + extension;
    const QStringList ffmpegArgs = h264 ? h264ConcatFilterArguments(clips, ffmpegOutput)
                                        : concatFilterArguments(clips, ffmpegOutput);

    std::printf("four clips of %.0f s at 1280x720 H.264/AAC, profile \"%s\"%s, %d runs per side\n",
                clipSeconds, qPrintable(profile),
                options.contains("--jobs") ? qPrintable(" --jobs " + options.value("--jobs")) : "",
                runs);
    TimedSide cli(QStringLiteral("brelvane-cli"));
    TimedSide serial(QStringLiteral("script"));
    TimedSide ffmpeg(QStringLiteral("ffmpeg concat"));
    QList<std::pair<TimedSide *, std::pair<QString, QStringList>>> sides{
        {&cli, {Cli, cliArgs}},
        {&serial, {QStringLiteral("/bin/sh"), {script}}},
        {&ffmpeg, {QStringLiteral("ffmpeg"), ffmpegArgs}}};
    for (int run = 0; run < runs; ++run) {
        // Each run starts with a different side, so warm-up and passing
        // load spread over all of them.
        std::printf("run %d:", run + 1);
        for (int i = 0; i < sides.size(); ++i) {
            const auto &[side, command] = sides[(run + i) % sides.size()];
            const QString load = MachineLoad();
            if (!side->run(command.first, command.second)) {
                std::fprintf(stderr, "\n%s failed\n", qPrintable(side->name));
                return 1;
            }
            std::printf(" %s %.2f s (load %s);", qPrintable(side->name), side->wall.last(),
                        qPrintable(load));
            std::fflush(stdout);
        }
        std::printf("\n");
    }
    if (keep)
        std::printf("files kept in %s\n", qPrintable(root));
    const double cliWall = Median(cli.wall);
    std::printf("median wall time: brelvane-cli %.2f s, script %.2f s, ffmpeg concat %.2f s\n",
                cliWall, Median(serial.wall), Median(ffmpeg.wall));
    std::printf("brelvane-cli / script %.3f, brelvane-cli / ffmpeg concat %.3f\n",
                cliWall / Median(serial.wall), cliWall / Median(ffmpeg.wall));
    std::printf("median CPU time with the encoder: brelvane-cli %.2f s, script %.2f s, "
                "ffmpeg concat %.2f s\n",
                Median(cli.cpu), Median(serial.cpu), Median(ffmpeg.cpu));
    std::printf("output rate: brelvane-cli %.0f kbit/s, ffmpeg concat %.0f kbit/s\n",
                FileKbitPerSecond(root + "cli" + extension), FileKbitPerSecond(ffmpegOutput));
    std::printf("load now %s\n", qPrintable(MachineLoad()));
    return 0;
}
