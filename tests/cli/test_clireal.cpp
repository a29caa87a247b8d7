// One scripted join from end to end: three real clips, the real encoder and
// a shipped profile, through brelvane-cli. The clips last a few seconds
// each: every MP3 pass pads the sound a little, which must stay small beside
// the play time.
#include "clitestdir.h"

#include "tasklist/mediaprobe.h"
#include "tasklist/timetext.h"
#include "testclips.h"

#include <QTest>

class TestCliReal : public QObject {
    Q_OBJECT
private slots:
    void threeClipsJoinIntoOneOfTheirSummedLength();
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
        sum += TimeTextToSeconds(ProbeMediaFile(path).lengthText);
        args << path;
    }

    const CliRun run = dir.run(args);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    // The name given, with the profile's extension, in the working folder.
    const QString output = dir.workPath("joined.avi");
    QCOMPARE(run.out, output + "\n");
    const ProbeResult joined = ProbeMediaFile(output);
    QVERIFY(joined.hasPlayTime);
    const double length = TimeTextToSeconds(joined.lengthText);
    qInfo("joined %.1f s, inputs %.1f s", length, sum);
    QVERIFY2(qAbs(length - sum) <= 0.03 * sum,
             qPrintable(QStringLiteral("joined %1 s, inputs %2 s").arg(length).arg(sum)));
    QVERIFY(dir.leftInTempDir().isEmpty());
}

QTEST_GUILESS_MAIN(TestCliReal)
#include "test_clireal.moc"
