// A whole job with the real encoder over clips of different sizes, frame
// rates and containers. The clips last a few seconds each: every MP3 pass
// pads the sound by a few hundredths of a second, which must stay small
// beside the play time.
#include "test_jobkit.h"

#include "tasklist/mediaprobe.h"
#include "tasklist/timetext.h"

#include "testclips.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTest>

class TestJobReal : public QObject {
    Q_OBJECT
private slots:
    void threeClipsJoinIntoOneOfTheirSummedLength();
};

static QByteArray digestOf(const QString &path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (file.open(QIODevice::ReadOnly))
        hash.addData(&file);
    return hash.result();
}

// A profile for AVI with MPEG-4 video and MP3 sound, as the Output Settings
// dialog would select it at position 0 of every box.
static bool writeProfile(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("[Main]\nType=avi\n"
               "[Video Codec]\nItems=1\nCaption0=MPEG-4\nvalue0=mpeg4\n"
               "[Aspect]\nItems=1\nCaption0=Auto\nvalue0=\n"
               "[Audio Codec]\nItems=1\nCaption0=MP3\nvalue0=mp3\n"
               "[MP3 Encode]\nItems=1\nCaption0=VBR\nvalue0=vbr\n"
               "[VBR Quality]\nItems=1\nCaption0=4\nvalue0=4\n"
               "[Channels]\nItems=1\nCaption0=Stereo\nvalue0=2\n");
    return true;
}

void TestJobReal::threeClipsJoinIntoOneOfTheirSummedLength()
{
    JobKit kit(EncoderTestDir::Real);
    QVERIFY(kit.isValid());
    QVERIFY(writeProfile(kit.view.profile));

    struct Clip {
        const char *name;
        ClipSpec spec;
    };
    const Clip clips[] = {
        {"first.avi", {320, 240, 5.0, 25, true}},
        {"second.mp4", {640, 360, 4.0, 30, true}},
        {"third.mpg", {352, 288, 6.0, 24, true}},
    };
    double sum = 0;
    QList<QByteArray> digests;
    for (const Clip &clip : clips) {
        const QString path = kit.workPath(QString::fromLatin1(clip.name));
        QVERIFY2(makeClip(path, clip.spec), clip.name);
        const ProbeResult probe = ProbeMediaFile(path);
        QVERIFY(probe.hasPlayTime);
        kit.addRow(path, probe.lengthText, probe.sizeText);
        sum += TimeTextToSeconds(probe.lengthText);
        digests << digestOf(path);
    }

    WorkingSelection &selection = kit.selection.selection;
    selection.videoCodec = 0;
    selection.videoBitrate = QStringLiteral("800");
    selection.aspect = 0;
    selection.audioCodec = 0;
    selection.audioCodecText = QStringLiteral("MP3");
    selection.audioBitrate = QStringLiteral("128");
    selection.mp3Mode = 0;
    selection.mp3Quality = 0;
    selection.channels = 0;
    selection.listSize = false;
    selection.width = QStringLiteral("320");
    selection.height = QStringLiteral("240");
    selection.sampleRate = QStringLiteral("44100");

    QVERIFY(kit.runToEnd());
    QCOMPARE(kit.messages.shown.size(), 1);
    QVERIFY2(kit.messages.shown[0].title == QLatin1String("Complete"),
             qPrintable(kit.messages.shown[0].text));
    QCOMPARE(kit.statuses(), QStringList({"Complete", "Complete", "Complete"}));
    QCOMPARE(kit.view.totalLabel, QStringLiteral("100%"));

    const ProbeResult joined = ProbeMediaFile(kit.view.outputText);
    QVERIFY(joined.hasPlayTime);
    const double length = TimeTextToSeconds(joined.lengthText);
    qInfo("joined %.1f s, inputs %.1f s", length, sum);
    QVERIFY2(qAbs(length - sum) <= 0.03 * sum,
             qPrintable(QStringLiteral("joined %1 s, inputs %2 s").arg(length).arg(sum)));
    QCOMPARE(joined.sizeText, QStringLiteral("320x240"));

    QVERIFY(QDir(kit.tempPath(QString())).entryList(QDir::Files).isEmpty());
    for (int row = 0; row < 3; ++row)
        QCOMPARE(digestOf(kit.tasks.caption(row)), digests[row]);
}

QTEST_GUILESS_MAIN(TestJobReal)
#include "test_jobreal.moc"
