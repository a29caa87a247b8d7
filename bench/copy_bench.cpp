// Joining without re-encoding: four clips of one shape through brelvane-cli
// with the copying profile, against re-encoding them with the default
// profile, in wall time; and a check that the copy holds the inputs' very
// pictures.
//
//   bench_copy [--runs N] [--clip-seconds S] [--dir FOLDER] [--copy-profile NAME]
//              [--reencode-profile NAME]
//
// The profiles of the two sides may be named: the automatic profile copies
// these clips, and re-encodes with "MP4 - H.264 and AAC" when it cannot.
//
// The clips are the job benchmarks' four: H.264 and AAC in MP4, 1280x720 at
// 30 fps, as a camera or a phone writes its chapter files. The two sides
// take turns at going first and the medians are compared.

#include "benchsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>

namespace {

const QString Cli = QStringLiteral(BENCH_PROGRAM_DIR "/brelvane-cli");
const QString CopyProfile = QStringLiteral("Same as the inputs (no re-encoding)");
// The window's profile when nothing is remembered: the first of the list.
const QString DefaultProfile = QStringLiteral("AVI - MPEG-4 and MP3");

// The hash of every picture of a file, decoded, in order. (The copy's coded
// pictures are the inputs' own too, but the join puts the stream's
// parameter sets in front of each file's first picture.)
QByteArrayList pictureHashes(const QString &path)
{
    QByteArray printed;
    RunProcess(QStringLiteral("ffmpeg"),
               {"-nostdin", "-loglevel", "error", "-i", path, "-map", "0:v", "-f", "framemd5", "-"},
               &printed);
    QByteArrayList hashes;
    for (const QByteArray &line : printed.split('\n')) {
        if (!line.isEmpty() && !line.startsWith('#'))
            hashes << line.mid(line.lastIndexOf(',') + 1).trimmed();
    }
    return hashes;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QMap<QString, QString> options = BenchOptions(app.arguments());
    const int runs = qMax(1, options.value("--runs", "3").toInt());
    const double seconds = options.value("--clip-seconds", "15").toDouble();
    QTemporaryDir work;
    const QString root = work.path() + QLatin1Char('/');

    const QStringList inputs = MakeJobClips(options.value("--dir", root + "clips"), seconds);
    if (inputs.isEmpty()) {
        std::fprintf(stderr, "ffmpeg could not make the clips\n");
        return 1;
    }
    QByteArrayList inputHashes;
    for (const QString &input : inputs)
        inputHashes << pictureHashes(input);
    const auto joinArgs = [&](const QString &profile, const QString &side) {
        return QStringList{"join",     "--profile", profile,      "--overwrite",         "--quiet",
                           "--output", root + side, "--temp-dir", root + side + "-temp/"} +
               inputs;
    };
    TimedSide copy(QStringLiteral("copy"));
    TimedSide reencode(QStringLiteral("re-encoding"));
    const QString copyProfile = options.value("--copy-profile", CopyProfile);
    const QString reencodeProfile = options.value("--reencode-profile", DefaultProfile);
    // A temp folder named on the command line must exist.
    QDir().mkpath(root + "copied-temp/");
    QDir().mkpath(root + "reencoded-temp/");
    const QStringList copyArgs = joinArgs(copyProfile, "copied");
    const QStringList reencodeArgs = joinArgs(reencodeProfile, "reencoded");

    std::printf("four clips of %.0f s each, 1280x720 H.264/AAC MP4, %d runs per side, load %s\n"
                "copy: \"%s\", re-encoding: \"%s\"\n",
                seconds, runs, qPrintable(MachineLoad()), qPrintable(copyProfile),
                qPrintable(reencodeProfile));
    for (int run = 0; run < runs; ++run) {
        // Taking turns at going first spreads any warm-up over both sides.
        const bool ran = run % 2 ? reencode.run(Cli, reencodeArgs) && copy.run(Cli, copyArgs)
                                 : copy.run(Cli, copyArgs) && reencode.run(Cli, reencodeArgs);
        if (!ran) {
            std::fprintf(stderr, "run %d failed\n", run + 1);
            return 1;
        }
        std::printf("run %d: copy %.2f s, re-encoding %.2f s\n", run + 1, copy.wall.last(),
                    reencode.wall.last());
    }
    const QByteArrayList copiedHashes = pictureHashes(root + QStringLiteral("copied.mp4"));
    const bool same = copiedHashes == inputHashes;
    std::printf("pictures in the copy: %lld, the inputs' own: %s\n",
                static_cast<long long>(copiedHashes.size()), same ? "yes" : "NO");
    const double copyWall = Median(copy.wall);
    const double reencodeWall = Median(reencode.wall);
    std::printf("median wall time: copy %.2f s, re-encoding %.2f s, ratio %.3f\n", copyWall,
                reencodeWall, copyWall / reencodeWall);
    std::printf("median CPU time with the encoder: copy %.2f s, re-encoding %.2f s, ratio %.3f\n",
                Median(copy.cpu), Median(reencode.cpu), Median(copy.cpu) / Median(reencode.cpu));
    std::printf("load after: %s\n", qPrintable(MachineLoad()));
    return same ? 0 : 1;
}
