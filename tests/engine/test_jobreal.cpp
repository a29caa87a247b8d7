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
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

class TestJobReal : public QObject {
    Q_OBJECT
private slots:
    void threeClipsJoinIntoOneOfTheirSummedLength();
    void copiedClipsBecomeChaptersOfTheirNames();
};

static QByteArray digestOf(const QString &path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (file.open(QIODevice::ReadOnly))
        hash.addData(&file);
    return hash.result();
}

void TestJobReal::threeClipsJoinIntoOneOfTheirSummedLength()
{
    JobKit kit(EncoderTestDir::Real);
    QVERIFY(kit.isValid());
    // The shipped AVI profile, with the first choice of every box.
    kit.view.profile = buildProgramDir() + QStringLiteral("Profiles/AVI - MPEG-4 and MP3.bpf");
    QVERIFY2(QFileInfo::exists(kit.view.profile), qPrintable(kit.view.profile));

    struct Clip {
        const char *name;
        ClipSpec shape;
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
        QVERIFY2(makeClip(path, clip.shape), clip.name);
        const ProbeResult probe = ProbeMediaFile(path);
        QVERIFY(probe.hasPlayTime);
        kit.addRow(path, probe.lengthText(), probe.sizeText());
        sum += TimeTextToSeconds(probe.lengthText());
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
    selection.listSize = true;
    selection.videoSize = 0; // 320 x 240
    selection.sampleRate = QStringLiteral("44100");

    QVERIFY(kit.runToEnd());
    QCOMPARE(kit.messages.shown.size(), 1);
    QVERIFY2(kit.messages.shown[0].title == QLatin1String("Complete"),
             qPrintable(kit.messages.shown[0].text));
    QCOMPARE(kit.statuses(), QStringList({"Complete", "Complete", "Complete"}));
    QCOMPARE(kit.view.totalLabel, QStringLiteral("100%"));

    const ProbeResult joined = ProbeMediaFile(kit.view.outputText);
    QVERIFY(joined.hasPlayTime);
    const double length = TimeTextToSeconds(joined.lengthText());
    qInfo("joined %.1f s, inputs %.1f s", length, sum);
    QVERIFY2(qAbs(length - sum) <= 0.03 * sum,
             qPrintable(QStringLiteral("joined %1 s, inputs %2 s").arg(length).arg(sum)));
    QCOMPARE(joined.sizeText(), QStringLiteral("320x240"));

    QVERIFY(QDir(kit.tempPath(QString())).entryList(QDir::Files).isEmpty());
    for (int row = 0; row < 3; ++row)
        QCOMPARE(digestOf(kit.tasks.caption(row)), digests[row]);
}

// The copying profile keeps a chapter per video in Matroska: the job
// writes the titles for the encoder in its own folder, which goes with the
// job.
void TestJobReal::copiedClipsBecomeChaptersOfTheirNames()
{
    JobKit kit(EncoderTestDir::Real);
    QVERIFY(kit.isValid());
    kit.view.profile =
        buildProgramDir() + QStringLiteral("Profiles/Same as the inputs (no re-encoding).bpf");
    kit.selection.selection.chapters = 0;
    for (const char *name : {"morning walk.mkv", "evening #2.mkv"}) {
        const QString path = kit.workPath(QString::fromLatin1(name));
        QVERIFY2(makeClip(path, {320, 240, 2.0, 25, true}), name);
        const ProbeResult probe = ProbeMediaFile(path);
        kit.addRow(path, probe.lengthText(), probe.sizeText());
    }
    QVERIFY(kit.runToEnd());
    QVERIFY2(kit.messages.shown.value(0).title == QLatin1String("Complete"),
             qPrintable(kit.messages.shown.value(0).text));
    QVERIFY(kit.view.outputText.endsWith(QLatin1String(".mkv")));

    QProcess probe;
    probe.start(QStringLiteral("ffprobe"),
                {"-v", "error", "-of", "json", "-show_chapters", kit.view.outputText});
    QVERIFY(probe.waitForFinished(60000));
    QStringList titles;
    const QJsonArray chapters =
        QJsonDocument::fromJson(probe.readAllStandardOutput()).object().value("chapters").toArray();
    for (const QJsonValue &chapter : chapters)
        titles << chapter.toObject().value("tags").toObject().value("title").toString();
    QCOMPARE(titles, QStringList({"morning walk", "evening #2"}));
    QVERIFY(QDir(kit.tempPath(QString())).entryList(QDir::Files).isEmpty());
}

QTEST_GUILESS_MAIN(TestJobReal)
#include "test_jobreal.moc"
