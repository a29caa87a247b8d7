#include "tasklist/mediaprobe.h"
#include "tasklist/timetext.h"
#include "testclips.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <clocale>

class MediaProbeTest : public QObject {
    Q_OBJECT
private slots:
    void readsLengthAndSize_data();
    void readsLengthAndSize();
    void readsPathWithNonAsciiName();
    void refusesTextFileNamedAvi();
    void refusesMissingFile();
    void readsShapeRotationAndStreams();

private:
    QTemporaryDir m_dir;
};

void MediaProbeTest::readsLengthAndSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<bool>("audio");
    QTest::newRow("avi 1280x720 2.5 s, no audio") << "hd.avi" << 1280 << 720 << 2.5 << false;
    QTest::newRow("avi 320x240 1 s, audio") << "small.avi" << 320 << 240 << 1.0 << true;
    QTest::newRow("mpg 352x288 3 s, audio") << "pal.mpg" << 352 << 288 << 3.0 << true;
}

void MediaProbeTest::readsLengthAndSize()
{
    QFETCH(QString, name);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(double, seconds);
    QFETCH(bool, audio);
    ClipSpec shape;
    shape.width = width;
    shape.height = height;
    shape.seconds = seconds;
    shape.audio = audio;
    const QString path = m_dir.filePath(name);
    QVERIFY(makeClip(path, shape));

    const ProbeResult result = ProbeMediaFile(path);
    QVERIFY(result.hasPlayTime);
    QCOMPARE(result.sizeText, QStringLiteral("%1x%2").arg(width).arg(height));
    // Containers pad the play time by a frame or an audio packet.
    const double probed = TimeTextToSeconds(result.lengthText);
    QVERIFY2(qAbs(probed - seconds) <= 0.15, qPrintable(result.lengthText));
}

void MediaProbeTest::readsPathWithNonAsciiName()
{
    const QString path = m_dir.filePath(QString::fromUtf8("Ünïcødé clip.avi"));
    QVERIFY(makeClip(path, ClipSpec{}));
    QVERIFY(ProbeMediaFile(path).hasPlayTime);

    // Started under the C locale the program still finds the file.
    const QByteArray previous = setlocale(LC_ALL, nullptr);
    setlocale(LC_ALL, "C");
    const ProbeResult result = ProbeMediaFile(path);
    setlocale(LC_ALL, previous.constData());
    QVERIFY(result.hasPlayTime);
    QCOMPARE(result.sizeText, QStringLiteral("320x240"));
}

void MediaProbeTest::refusesTextFileNamedAvi()
{
    const QString path = m_dir.filePath(QStringLiteral("notes.avi"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("These are notes, not a video.\n");
    file.close();

    const ProbeResult result = ProbeMediaFile(path);
    QVERIFY(!result.hasPlayTime);
    QCOMPARE(result.lengthText, QString());
    QCOMPARE(result.sizeText, QStringLiteral("x"));
}

void MediaProbeTest::refusesMissingFile()
{
    const ProbeResult result = ProbeMediaFile(m_dir.filePath(QStringLiteral("gone.avi")));
    QVERIFY(!result.hasPlayTime);
    QCOMPARE(result.sizeText, QStringLiteral("x"));
}

// What a conversion needs to keep the picture's shape, and what decides
// whether a file can be joined at all.
void MediaProbeTest::readsShapeRotationAndStreams()
{
    const QString wide = m_dir.filePath(QStringLiteral("dvd-wide.mpg"));
    QVERIFY(runFfmpeg({"-f", "lavfi", "-i", "testsrc2=size=720x576:rate=25:duration=1", "-aspect",
                       "16:9", "-c:v", "mpeg2video", wide}));
    ProbeResult facts = ProbeMediaFile(wide);
    QVERIFY(facts.isTakeable());
    QCOMPARE(facts.width, 720);
    QCOMPARE(facts.height, 576);
    QVERIFY2(qAbs(facts.displayAspect - 16.0 / 9) < 0.01,
             qPrintable(QString::number(facts.displayAspect)));
    QVERIFY(facts.hasVideo && !facts.hasAudio);

    const QString landscape = m_dir.filePath(QStringLiteral("stored.mp4"));
    const QString portrait = m_dir.filePath(QStringLiteral("phone.mp4"));
    QVERIFY(
        runFfmpeg({"-f", "lavfi", "-i", "testsrc2=size=640x360:rate=30:duration=1", "-f", "lavfi",
                   "-i", "sine=duration=1", "-c:v", "libx264", "-c:a", "aac", landscape}));
    QVERIFY(runFfmpeg({"-i", landscape, "-c", "copy", "-metadata:s:v:0", "rotate=90", portrait}));
    facts = ProbeMediaFile(portrait);
    // This ffmpeg stores its rotate=90 tag as a quarter turn counter-clockwise
    // (its own players turn the picture that way); the library states the
    // clockwise turn a player applies.
    QCOMPARE(facts.rotation, 270);
    QVERIFY(facts.hasVideo && facts.hasAudio);
    QCOMPARE(ProbeMediaFile(landscape).rotation, 0);

    const QString soundOnly = m_dir.filePath(QStringLiteral("song.mp4"));
    QVERIFY(runFfmpeg({"-f", "lavfi", "-i", "sine=duration=1", "-c:a", "aac", soundOnly}));
    facts = ProbeMediaFile(soundOnly);
    QVERIFY(facts.hasPlayTime);
    QVERIFY(!facts.isTakeable());
}

QTEST_GUILESS_MAIN(MediaProbeTest)
#include "test_mediaprobe.moc"
