// One scripted join from end to end: three real clips, the real encoder and
// a shipped profile, through brelvane-cli. The clips last a few seconds
// each: every MP3 pass pads the sound a little, which must stay small beside
// the play time.
#include "clitestdir.h"

#include "tasklist/mediaprobe.h"
#include "tasklist/timetext.h"
#include "testclips.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSize>
#include <QTest>

#include <MediaInfo/MediaInfo.h>

#include <unistd.h>

namespace {

// The hash of every picture of a file's video, decoded, in order.
QStringList pictureHashes(const QString &path)
{
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-nostdin", "-loglevel", "error", "-i", path, "-map", "0:v", "-f",
                            "framemd5", "-"});
    if (!ffmpeg.waitForFinished(120000) || ffmpeg.exitCode() != 0)
        return {};
    QStringList hashes;
    for (const QByteArray &line : ffmpeg.readAllStandardOutput().split('\n')) {
        if (!line.isEmpty() && !line.startsWith('#'))
            hashes << QString::fromLatin1(line).section(QLatin1Char(','), -1).trimmed();
    }
    return hashes;
}

// The play time MediaInfo gives a file's picture, in seconds; 0 without one.
double pictureSeconds(const QString &path)
{
    MediaInfoLib::MediaInfo info;
    if (info.Open(path.toStdWString()) == 0)
        return 0;
    return QString::fromStdWString(info.Get(MediaInfoLib::Stream_Video, 0, L"Duration"))
               .toDouble() /
           1000;
}

// How many of a file's pictures, and how many of those without a time to be
// shown at, ffprobe finds.
QPair<int, int> picturesWithoutTime(const QString &path)
{
    QProcess probe;
    probe.start("ffprobe", {"-v", "error", "-select_streams", "v:0", "-show_entries", "packet=pts",
                            "-of", "csv=p=0", path});
    probe.waitForFinished(60000);
    const QList<QByteArray> lines = probe.readAllStandardOutput().trimmed().split('\n');
    return {int(lines.size()), int(lines.count("N/A"))};
}

// The first part of a file, as a download cut off there leaves it.
bool cutFile(const QString &from, const QString &to, double share)
{
    QFile source(from);
    QFile cut(to);
    if (!source.open(QIODevice::ReadOnly) || !cut.open(QIODevice::WriteOnly))
        return false;
    return cut.write(source.read(qint64(source.size() * share))) > 0;
}

} // namespace

class TestCliReal : public QObject {
    Q_OBJECT
private slots:
    void threeClipsJoinIntoOneOfTheirSummedLength();
    void aFullDiskIsRefusedOrFailsLeavingNothing();
    void aCutOffInputIsJoinedFromWhatCanBeReadWithAWarning();
    void clipsOfOneShapeAreCopiedPictureForPicture();
    void aProfileValueThatIsFilterTextIsRefusedAtStart();
    void aDownloadCutOffWarnsAndAClipOfOddSizeJoins();
    void mpegOutputsTimeEveryPicture();
    void clipsThatStartLateJoinWithoutComplaint_data();
    void clipsThatStartLateJoinWithoutComplaint();
    void thirtyShortClipsAreCopied();
    void theAutomaticProfileCopiesWhatMatchesAndSaysWhyItReencodes();
};

void TestCliReal::threeClipsJoinIntoOneOfTheirSummedLength()
{
    CliTestDir dir(CliTestDir::Real);
    QVERIFY(dir.isValid());
    struct Clip {
        const char *name;
        ClipSpec shape;
    };
    const Clip clips[] = {
        {"first.mp4", {320, 240, 5.0, 25, true}},
        {"second.mp4", {640, 360, 4.0, 30, true}},
        {"third.mp4", {352, 288, 6.0, 24, true}},
    };
    QStringList args{"join",   "--profile",  "AVI - MPEG-4 and MP3", "--output",
                     "joined", "--temp-dir", dir.tempDir()};
    double sum = 0;
    for (const Clip &clip : clips) {
        const QString path = dir.workPath(QString::fromLatin1(clip.name));
        QVERIFY2(makeClip(path, clip.shape), clip.name);
        sum += TimeTextToSeconds(ProbeMediaFile(path).lengthText());
        args << path;
    }

    const CliRun run = dir.run(args);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    // The name given, with the profile's extension, in the working folder.
    const QString output = dir.workPath("joined.avi");
    QCOMPARE(run.out, output + "\n");
    const ProbeResult joined = ProbeMediaFile(output);
    QVERIFY(joined.hasPlayTime);
    const double length = TimeTextToSeconds(joined.lengthText());
    qInfo("joined %.1f s, inputs %.1f s", length, sum);
    QVERIFY2(qAbs(length - sum) <= 0.03 * sum,
             qPrintable(QStringLiteral("joined %1 s, inputs %2 s").arg(length).arg(sum)));
    QVERIFY(dir.leftInTempDir().isEmpty());
}

namespace {

// A small file system of its own for the temporaries; root only.
class SmallDisk {
public:
    SmallDisk(const QString &path, int megabytes)
        : m_path(path)
    {
        QDir().mkpath(path);
        m_mounted = geteuid() == 0 && QProcess::execute(QStringLiteral("mount"),
                                                        {"-t", "tmpfs", "-o",
                                                         QStringLiteral("size=%1m").arg(megabytes),
                                                         "tmpfs", path}) == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            QProcess::execute(QStringLiteral("umount"), {m_path});
    }
    bool isMounted() const { return m_mounted; }
    // Takes all the space there is left.
    void fill() const
    {
        QFile filler(m_path + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly))
            return;
        const QByteArray block(1024 * 1024, '\0');
        while (filler.write(block) == block.size()) {
        }
        const QByteArray small(512, '\0');
        while (filler.write(small) == small.size()) {
        }
        filler.flush();
    }

private:
    QString m_path;
    bool m_mounted = false;
};

} // namespace

// A disk too small for the job is refused before anything runs; a disk that
// fills up during the job ends it as a failure that says so, and nothing of
// the job is left behind.
void TestCliReal::aFullDiskIsRefusedOrFailsLeavingNothing()
{
    if (geteuid() != 0)
        QSKIP("mounting a small tmpfs for the temporaries needs root");
    CliTestDir dir(CliTestDir::Real);
    QVERIFY(dir.isValid());
    QStringList inputs;
    for (const char *name : {"long1.mp4", "long2.mp4"}) {
        inputs << dir.workPath(QString::fromLatin1(name));
        QVERIFY(makeClip(inputs.last(), {640, 480, 20.0, 30, true}));
    }
    const QString disk = dir.workPath(QStringLiteral("disk"));
    const QStringList args = QStringList{"join",
                                         "--profile",
                                         "AVI - MPEG-4 and MP3",
                                         "--output",
                                         dir.workPath("joined"),
                                         "--temp-dir",
                                         disk + "/",
                                         "--jobs",
                                         "1"} +
                             inputs;
    {
        SmallDisk tiny(disk, 3);
        if (!tiny.isMounted())
            QSKIP("this machine does not allow mounting a tmpfs");
        const CliRun refused = dir.run(args);
        QCOMPARE(refused.exitCode, 3);
        QVERIFY2(refused.err.contains(QLatin1String("Not Enough Space")) &&
                     refused.err.contains(disk),
                 qPrintable(refused.err));
        QVERIFY(QDir(disk).isEmpty());
    }
    SmallDisk room(disk, 48);
    QVERIFY(room.isMounted());
    auto process = dir.start(args);
    // Once the job has its folder, Start has passed: the disk fills up now.
    QTRY_VERIFY_WITH_TIMEOUT(!QDir(disk).entryList({"brelvane-job-*"}, QDir::Dirs).isEmpty(),
                             60000);
    room.fill();
    const CliRun failed = CliTestDir::finish(*process);
    QCOMPARE(failed.exitCode, 4);
    QVERIFY2(failed.err.contains(QLatin1String("The disk is full")), qPrintable(failed.err));
    QCOMPARE(QDir(disk).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"filler"});
    QVERIFY(QDir(dir.workPath(QString()))
                .entryList({"joined*", ".joined*"}, QDir::Files | QDir::Hidden)
                .isEmpty());
}

// A download cut off half-way: its header still states the whole play time.
void TestCliReal::aCutOffInputIsJoinedFromWhatCanBeReadWithAWarning()
{
    CliTestDir dir(CliTestDir::Real);
    QVERIFY(dir.isValid());
    const QString whole = dir.workPath(QStringLiteral("whole.avi"));
    const QString cut = dir.workPath(QStringLiteral("cut.avi"));
    const QString other = dir.workPath(QStringLiteral("other.mp4"));
    QVERIFY(makeClip(whole, {320, 240, 8.0, 25, true}));
    QVERIFY(makeClip(other, {320, 240, 3.0, 25, true}));
    QVERIFY(cutFile(whole, cut, 0.5));
    QVERIFY(ProbeMediaFile(cut).seconds > 7.5);

    const CliRun run = dir.run({"join", "--profile", "AVI - MPEG-4 and MP3", "--output",
                                dir.workPath("joined"), "--temp-dir", dir.tempDir(), cut, other});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(run.err.contains(QLatin1String("Damaged Input")) && run.err.contains(cut) &&
                 run.err.contains(QLatin1String("missing")),
             qPrintable(run.err));
    // About 4 s of the cut file and the 3 s of the other: what was read.
    const double joined = ProbeMediaFile(dir.workPath("joined.avi")).seconds;
    QVERIFY2(joined > 6 && joined < 8, qPrintable(QString::number(joined)));
}

// Two clips of one shape, as a phone makes them, joined without re-encoding:
// one encoder run over the clips themselves, and the very same pictures.
void TestCliReal::clipsOfOneShapeAreCopiedPictureForPicture()
{
    CliTestDir dir(CliTestDir::Real);
    QVERIFY(dir.isValid());
    QStringList args{"join",       "--profile", "Same as the inputs (no re-encoding)",
                     "--output",   "joined",    "--temp-dir",
                     dir.tempDir()};
    QStringList hashes;
    double sum = 0;
    for (const char *name : {"chapter1.mp4", "chapter2.mp4"}) {
        const QString path = dir.workPath(QString::fromLatin1(name));
        QVERIFY2(makeClip(path, {320, 240, 2.0, 25, true, "libx264"}), name);
        sum += ProbeMediaFile(path).seconds;
        hashes << pictureHashes(path);
        args << path;
    }

    const CliRun plan = dir.run(QStringList(args) << "--dry-run");
    QVERIFY2(plan.exitCode == 0, qPrintable(plan.err));
    QCOMPARE(plan.out.count('\n'), 1);
    QVERIFY(plan.out.contains("-ovc copy -oac copy"));

    const CliRun run = dir.run(args);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QString output = dir.workPath("joined.mp4");
    QCOMPARE(run.out, output + "\n");
    QVERIFY(hashes.size() == 100);
    QCOMPARE(pictureHashes(output), hashes);
    const ProbeResult joined = ProbeMediaFile(output);
    QVERIFY(joined.hasAudio);
    QVERIFY2(qAbs(joined.seconds - sum) <= 0.1,
             qPrintable(QStringLiteral("joined %1 s, inputs %2 s").arg(joined.seconds).arg(sum)));
    QVERIFY(dir.leftInTempDir().isEmpty());
    QVERIFY(!QFileInfo::exists(dir.tempDir()) || QDir(dir.tempDir()).isEmpty());
}

// A shared profile whose frame size goes on with a filter that writes a
// file: Start refuses it, naming the profile, the section and the value,
// and the file is left as it was.
void TestCliReal::aProfileValueThatIsFilterTextIsRefusedAtStart()
{
    CliTestDir dir(CliTestDir::Real);
    QVERIFY(dir.isValid());
    const QString victim = dir.workPath("victim.txt");
    QFile keep(victim);
    QVERIFY(keep.open(QIODevice::WriteOnly) && keep.write("keep") == 4);
    keep.close();
    QFile shipped(dir.programDir() + "Profiles/AVI - MPEG-4 and MP3.bpf");
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    const QString value = "640:480[s];[s]metadata=mode=print:file=" + victim;
    const QByteArray text = shipped.readAll().replace("value2=640:480", "value2=" + value.toUtf8());
    QFile hostile(dir.programDir() + "Profiles/Shared.bpf");
    QVERIFY(hostile.open(QIODevice::WriteOnly) && hostile.write(text) == text.size());
    hostile.close();
    QStringList args{"join",   "--profile",  "Shared",     "--output",
                     "joined", "--temp-dir", dir.tempDir()};
    for (const char *name : {"a.mp4", "b.mp4"}) {
        args << dir.workPath(name);
        QVERIFY(makeClip(args.last(), {320, 240, 1.0, 25, true}));
    }

    const CliRun run = dir.run(args);
    QCOMPARE(run.exitCode, 3);
    for (const QString &named : {QString("\"Shared\""), QString("\"Video Size\""), value})
        QVERIFY2(run.err.contains(named), qPrintable(run.err));
    QVERIFY(keep.open(QIODevice::ReadOnly));
    QCOMPARE(keep.readAll(), QByteArray("keep"));
    QVERIFY(!QFile::exists(dir.workPath("joined.avi")));
}

// A download cut off at 30 %: its header still states the whole play time,
// and the conversion holds its last picture to that length. The user is
// told how much was read, converted or copied; a whole clip (here of an odd
// frame size, which the scaler cannot take as it is) passes without a word.
void TestCliReal::aDownloadCutOffWarnsAndAClipOfOddSizeJoins()
{
    CliTestDir dir(CliTestDir::Real);
    QVERIFY(dir.isValid());
    const QString whole = dir.workPath(QStringLiteral("whole.mkv"));
    const QString cut = dir.workPath(QStringLiteral("cut.mkv"));
    const QString odd = dir.workPath(QStringLiteral("odd.mp4"));
    QVERIFY(makeClip(whole, {320, 240, 10.0, 25, true, "libx264"}));
    QVERIFY(cutFile(whole, cut, 0.3));
    QVERIFY(makeClip(odd, {321, 241, 2.0, 25, true}));
    QCOMPARE(ProbeMediaFile(odd).sizeText(), QStringLiteral("321x241"));

    const CliRun run = dir.run({"join", "--profile", "AVI - MPEG-4 and MP3", "--output",
                                dir.workPath("joined"), "--temp-dir", dir.tempDir(), cut, odd});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QStringList warnings = run.err.split('\n').filter(QLatin1String("Damaged Input"));
    QCOMPARE(warnings.size(), 1);
    QVERIFY2(warnings.first().contains(cut) && warnings.first().contains("00:00:10 are") &&
                 warnings.first().contains(QRegularExpression("00:00:0[6-7](\\.\\d)? is missing")),
             qPrintable(warnings.first()));
    const double joined = ProbeMediaFile(dir.workPath("joined.avi")).seconds;
    QVERIFY2(qAbs(joined - 12) < 0.2, qPrintable(QString::number(joined)));

    // Copied as it is, the cut-off file leaves a gap before the next one.
    const CliRun copied =
        dir.run({"join", "--profile", "Same as the inputs (no re-encoding)", "--output",
                 dir.workPath("copied"), "--temp-dir", dir.tempDir(), cut, whole});
    QVERIFY2(copied.exitCode == 0, qPrintable(copied.err));
    const QStringList copyWarnings = copied.err.split('\n').filter(QLatin1String("Damaged Input"));
    QVERIFY2(copyWarnings.size() == 1 && copyWarnings.first().contains(cut) &&
                 copyWarnings.first().contains("00:00:10 are"),
             qPrintable(copied.err));
}

// Pictures copied out of AVI temporaries, which keep no times for pictures
// shown out of order, still carry a time each in the MPEG program stream.
void TestCliReal::mpegOutputsTimeEveryPicture()
{
    CliTestDir dir(CliTestDir::Real);
    QVERIFY(dir.isValid());
    QStringList clips;
    for (const char *name : {"a.mp4", "b.mp4"}) {
        clips << dir.workPath(QString::fromLatin1(name));
        QVERIFY(makeClip(clips.last(), {320, 240, 3.0, 25, true, "libx264"}));
    }
    for (const char *profile : {"MPEG-1", "MPEG-2"}) {
        const CliRun run = dir.run(QStringList{"join", "--profile", profile, "--output", "joined",
                                               "--overwrite", "--temp-dir", dir.tempDir()} +
                                   clips);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QString output = dir.workPath("joined.mpg");
        const QPair<int, int> pictures = picturesWithoutTime(output);
        QVERIFY2(pictures.first >= 180 && pictures.second == 0,
                 qPrintable(QString("%1: %2 of %3 pictures without a time")
                                .arg(profile)
                                .arg(pictures.second)
                                .arg(pictures.first)));
        const double seconds = pictureSeconds(output);
        QVERIFY2(qAbs(seconds - 6.0) <= 0.06,
                 qPrintable(QString("%1: the picture plays %2 s").arg(profile).arg(seconds)));
    }
}

// A camera's or a broadcast's clips: their timestamps start at 10 s.
void TestCliReal::clipsThatStartLateJoinWithoutComplaint_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("profile");
    for (const char *type : {"ts", "mp4"}) {
        for (const char *profile : {"AVI - MPEG-4 and MP3", "Same as the inputs (no re-encoding)"})
            QTest::addRow("%s, %s", type, profile) << type << profile;
    }
}

void TestCliReal::clipsThatStartLateJoinWithoutComplaint()
{
    QFETCH(QString, type);
    QFETCH(QString, profile);
    CliTestDir dir(CliTestDir::Real);
    QVERIFY(dir.isValid());
    QStringList args{"join",   "--profile",  profile,      "--output",
                     "joined", "--temp-dir", dir.tempDir()};
    for (const QString name : {"first", "second"}) {
        const QString path = dir.workPath(name + "." + type);
        QVERIFY(runFfmpeg({"-f", "lavfi", "-i", "testsrc2=size=320x240:rate=25:duration=3", "-f",
                           "lavfi", "-i", "sine=duration=3", "-c:v", "libx264", "-c:a", "aac",
                           "-output_ts_offset", "10", path}));
        args << path;
    }

    const CliRun run = dir.run(args);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(!run.err.contains(QLatin1String("Damaged Input")), qPrintable(run.err));
    // The task list shows what plays, not where the timestamps end.
    QCOMPARE(ProbeMediaFile(args.last()).lengthText(), QStringLiteral("00:00:03"));
    const double joined = ProbeMediaFile(run.out.trimmed()).seconds;
    QVERIFY2(qAbs(joined - 6) < 0.3, qPrintable(QString::number(joined)));
}

// Each clip's sound runs a little past its picture; a copy join lays every
// clip down to the end of both, and its check of the result must count the
// same way.
void TestCliReal::thirtyShortClipsAreCopied()
{
    CliTestDir dir(CliTestDir::Real);
    QVERIFY(dir.isValid());
    const QString clip = dir.workPath(QStringLiteral("clip01.mp4"));
    QVERIFY(makeClip(clip, {320, 240, 2.0, 25, true}));
    QStringList args{"join",        "--profile", "Same as the inputs (no re-encoding)",
                     "--output",    "joined",    "--temp-dir",
                     dir.tempDir(), clip};
    for (int i = 2; i <= 30; ++i) {
        args << dir.workPath(QStringLiteral("clip%1.mp4").arg(i, 2, 10, QLatin1Char('0')));
        QVERIFY(QFile::copy(clip, args.last()));
    }

    const CliRun run = dir.run(args);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const ProbeResult joined = ProbeMediaFile(dir.workPath(QStringLiteral("joined.mp4")));
    QVERIFY2(joined.seconds >= 60 && joined.seconds < 62.5, qPrintable(joined.lengthText()));
}

// A first run chooses for the clips: three of one format are copied as they
// are, picture for picture, and it says so; with a third clip of another
// size and rate it re-encodes to H.264 at the first clip's size and rate,
// naming the clip and what differs.
void TestCliReal::theAutomaticProfileCopiesWhatMatchesAndSaysWhyItReencodes()
{
    CliTestDir dir(CliTestDir::Real);
    QVERIFY(dir.isValid());
    const QStringList base{"join",        "--output",   "joined",
                           "--overwrite", "--temp-dir", dir.tempDir()};
    QStringList inputs;
    QStringList hashes;
    for (const char *name : {"a.mp4", "b.mp4", "c.mp4"}) {
        inputs << dir.workPath(QString::fromLatin1(name));
        QVERIFY(makeClip(inputs.last(), {320, 240, 1.0, 25, true, "libx264"}));
        hashes << pictureHashes(inputs.last());
    }
    const QString output = dir.workPath("joined.mp4");

    const CliRun copied = dir.run(base + inputs);
    QVERIFY2(copied.exitCode == 0, qPrintable(copied.err));
    QVERIFY2(copied.err.contains("Joining without re-encoding: every video has the same format"),
             qPrintable(copied.err));
    QCOMPARE(copied.out, output + "\n");
    QCOMPARE(pictureHashes(output), hashes);

    QVERIFY(makeClip(inputs.last(), {480, 360, 1.0, 30, true, "libx264"}));
    const CliRun reencoded = dir.run(base + inputs);
    QVERIFY2(reencoded.exitCode == 0, qPrintable(reencoded.err));
    QVERIFY2(reencoded.err.contains("Re-encoding to H.264: video 3 has a different frame size "
                                    "(480x360, not 320x240)"),
             qPrintable(reencoded.err));
    QCOMPARE(reencoded.out, output + "\n");
    const ProbeResult joined = ProbeMediaFile(output);
    QCOMPARE(joined.containerFormat, QString("MPEG-4"));
    QCOMPARE(joined.videoFormat, QString("AVC"));
    QCOMPARE(joined.audioFormat, QString("AAC"));
    QCOMPARE(QSize(joined.width, joined.height), QSize(320, 240));
    QCOMPARE(joined.frameRate, QString("25.000"));
    QVERIFY2(qAbs(joined.seconds - 3) <= 0.1, qPrintable(joined.lengthText()));

    // Sound evened out cannot be copied: matching clips are re-encoded, with
    // no chapters as asked.
    QVERIFY(makeClip(inputs.last(), {320, 240, 1.0, 25, true, "libx264"}));
    const CliRun evened = dir.run(
        base + QStringList{"--loudness", "even", "--chapters", "none", "--dry-run"} + inputs);
    QVERIFY2(evened.err.contains("Re-encoding to H.264: the sound is evened out"),
             qPrintable(evened.err));
    QCOMPARE(evened.out.count("vcodec=libx264"), 3);
    QCOMPARE(evened.out.count("-af loudnorm"), 3);
    QVERIFY2(!evened.out.contains("-chapters"), qPrintable(evened.out));
}

QTEST_GUILESS_MAIN(TestCliReal)
#include "test_clireal.moc"
