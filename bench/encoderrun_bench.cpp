// What reading the encoder costs this program, per MB of encoder output,
// next to what producing that output costs the encoder itself.
//
//   bench_encoderrun [--mb N] [--encoder PATH] [--clip-seconds S] [--clip-size WxH]
//                    [--clip FILE] [--runs N]
//
// 1. The progress parsing alone over captured output: once in the pieces
//    the encoder writes (one chunk per status line, as when the reader keeps
//    up) and once in full reads of 4,095 bytes.
// 2. EncoderRun over a child that replays the captured output (cat), which
//    adds the process and pipe handling.
// 3. Real conversions with the encoder (of a clip made here, or of --clip),
//    --runs times: its own CPU time against the runner's for the same output.

#include "engine/commandline.h"
#include "engine/encoderrun.h"
#include "engine/outputtail.h"
#include "engine/progressparser.h"
#include "engine/progresstracker.h"
#include "tasklist/mediaprobe.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

struct CpuTimes {
    double self = 0;     // seconds, user + system
    double children = 0; // of ended, waited-for children
};

double seconds(const timeval &t)
{
    return t.tv_sec + t.tv_usec / 1e6;
}

CpuTimes cpuNow()
{
    rusage self{}, children{};
    getrusage(RUSAGE_SELF, &self);
    getrusage(RUSAGE_CHILDREN, &children);
    return {seconds(self.ru_utime) + seconds(self.ru_stime),
            seconds(children.ru_utime) + seconds(children.ru_stime)};
}

CpuTimes operator-(const CpuTimes &a, const CpuTimes &b)
{
    return {a.self - b.self, a.children - b.children};
}

constexpr double MB = 1024.0 * 1024.0;

QByteArray readCapture(const char *name)
{
    QFile file(QStringLiteral(BENCH_TEST_DATA "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(file.fileName()));
        std::exit(1);
    }
    return file.readAll();
}

QList<QByteArray> encoderWrites(const QByteArray &output)
{
    QList<QByteArray> pieces;
    qsizetype start = 0;
    for (qsizetype i = 0; i < output.size(); ++i) {
        if (output[i] == '\r' || output[i] == '\n') {
            pieces << output.mid(start, i + 1 - start);
            start = i + 1;
        }
    }
    if (start < output.size())
        pieces << output.mid(start);
    return pieces;
}

QList<QByteArray> fullReads(const QByteArray &output)
{
    QList<QByteArray> reads;
    for (qsizetype at = 0; at < output.size(); at += MaxChunkBytes)
        reads << output.mid(at, MaxChunkBytes);
    return reads;
}

// The work EncoderRun does per chunk, without the process.
double parseCpuPerMb(const QList<QByteArray> &chunks, qint64 bytesPerPass, double wantedMb)
{
    const int passes = qMax(1, int(wantedMb * MB / bytesPerPass));
    const CpuTimes before = cpuNow();
    int changes = 0;
    for (int pass = 0; pass < passes; ++pass) {
        ProgressTracker tracker({60, 120, 0, 0, false}, {});
        OutputTail tail;
        for (const QByteArray &chunk : chunks) {
            tail.append(chunk);
            changes += tracker.takeChunk(chunk);
        }
    }
    const double cpu = (cpuNow() - before).self;
    if (changes == 0)
        std::fprintf(stderr, "warning: the bars never moved\n");
    return cpu * 1000 / (double(bytesPerPass) * passes / MB);
}

struct RunCost {
    RunOutcome outcome;
    CpuTimes cpu;
    int chunks = 0;
    qint64 bytes = 0;
};

RunCost runOnce(const QString &program, const QStringList &arguments, const ProgressParams &params)
{
    EncoderRun run;
    QEventLoop loop;
    RunCost cost;
    QObject::connect(&run, &EncoderRun::finished, &loop, [&](RunOutcome outcome) {
        cost.outcome = outcome;
        loop.quit();
    });
    const CpuTimes before = cpuNow();
    run.start({program, arguments, params, {}, {}});
    loop.exec();
    cost.cpu = cpuNow() - before;
    cost.chunks = run.chunkCount();
    cost.bytes = run.bytesRead();
    return cost;
}

void benchReplayRun(const QString &capturePath, qint64 captureBytes, double wantedMb)
{
    const int copies = qMax(1, int(wantedMb * MB / captureBytes));
    const QStringList files(copies, capturePath);
    const RunCost cost = runOnce(QStringLiteral("/bin/cat"), files, {60, 120, 0, 0, false});
    const double mb = double(captureBytes) * copies / MB;
    std::printf("EncoderRun over a replaying child: %.1f MB in %d chunks, %.2f ms CPU per MB\n", mb,
                cost.chunks, cost.cpu.self * 1000 / mb);
}

bool makeClip(const QString &path, int seconds, const QString &size)
{
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {"-nostdin", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                  QStringLiteral("testsrc2=size=%1:rate=25:duration=%2").arg(size).arg(seconds),
                  "-f", "lavfi", "-i",
                  QStringLiteral("sine=frequency=440:duration=%1").arg(seconds), "-c:v", "mpeg4",
                  "-c:a", "libmp3lame", path});
    return ffmpeg.waitForFinished(-1) && ffmpeg.exitCode() == 0;
}

QString loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).section(' ', 0, 2)
                                          : QStringLiteral("?");
}

void benchRealEncoder(const QString &encoder, QString clip, int clipSeconds, const QString &size,
                      int runs)
{
    QTemporaryDir dir;
    if (clip.isEmpty()) {
        clip = dir.filePath(QStringLiteral("clip.mp4"));
        if (!makeClip(clip, clipSeconds, size)) {
            std::printf("real encoder: skipped (ffmpeg could not make a clip)\n");
            return;
        }
    }
    const double seconds = ProbeMediaFile(clip).seconds;
    const QStringList line = ConvertArguments(clip, dir.filePath(QStringLiteral("0.avi")),
                                              FrameSize{640, 480}, ProbeResult());
    std::printf("real encoder converting %s (%.1f s):\n", qPrintable(clip), seconds);
    QList<double> shares;
    for (int run = 0; run < runs; ++run) {
        const QString load = loadAverage();
        const RunCost cost = runOnce(encoder, line, {seconds, seconds, 0, 0, false});
        if (!cost.outcome.exitedCleanly()) {
            std::printf("  the run failed (%s)\n", qPrintable(encoder));
            return;
        }
        shares << 100 * cost.cpu.self / cost.cpu.children;
        std::printf("  %.0f KB of output in %d chunks; encoder CPU %.2f s, runner CPU %.3f s "
                    "(%.2f %% of the encoder's; load %s)\n",
                    cost.bytes / 1024.0, cost.chunks, cost.cpu.children, cost.cpu.self,
                    shares.last(), qPrintable(load));
    }
    std::sort(shares.begin(), shares.end());
    std::printf("  runner's share, median of %d runs: %.2f %%\n", runs, shares[shares.size() / 2]);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    double wantedMb = 64;
    int clipSeconds = 60;
    QString clipSize = QStringLiteral("640x480");
    QString encoder = QStringLiteral(BENCH_PROGRAM_DIR "/asapi.dll");
    QString clip;
    int runs = 1;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--mb"))
            wantedMb = args[i + 1].toDouble();
        else if (args[i] == QLatin1String("--encoder"))
            encoder = args[i + 1];
        else if (args[i] == QLatin1String("--clip-seconds"))
            clipSeconds = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--clip-size"))
            clipSize = args[i + 1];
        else if (args[i] == QLatin1String("--clip"))
            clip = args[i + 1];
        else if (args[i] == QLatin1String("--runs"))
            runs = qMax(1, args[i + 1].toInt());
    }

    const QByteArray convert = readCapture("mencoder_convert.txt");
    const QByteArray join = readCapture("mencoder_join.txt");
    const QByteArray both = convert + join;
    std::printf("parsing alone, one chunk per encoder write: %.2f ms CPU per MB\n",
                parseCpuPerMb(encoderWrites(both), both.size(), wantedMb));
    std::printf("parsing alone, full reads of %lld bytes:    %.2f ms CPU per MB\n",
                static_cast<long long>(MaxChunkBytes),
                parseCpuPerMb(fullReads(both), both.size(), wantedMb));
    benchReplayRun(QStringLiteral(BENCH_TEST_DATA "/mencoder_join.txt"), join.size(), wantedMb);
    benchRealEncoder(encoder, clip, clipSeconds, clipSize, runs);
    return 0;
}
