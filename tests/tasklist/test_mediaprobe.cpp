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
    void quickProbeKeepsEveryFact();

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
    QCOMPARE(result.sizeText(), QStringLiteral("%1x%2").arg(width).arg(height));
    // Containers pad the play time by a frame or an audio packet.
    const double probed = TimeTextToSeconds(result.lengthText());
    QVERIFY2(qAbs(probed - seconds) <= 0.15, qPrintable(result.lengthText()));
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
    QCOMPARE(result.sizeText(), QStringLiteral("320x240"));
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
    QCOMPARE(result.lengthText(), QString());
    QCOMPARE(result.sizeText(), QStringLiteral("x"));
}

void MediaProbeTest::refusesMissingFile()
{
    const ProbeResult result = ProbeMediaFile(m_dir.filePath(QStringLiteral("gone.avi")));
    QVERIFY(!result.hasPlayTime);
    QCOMPARE(result.sizeText(), QStringLiteral("x"));
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

namespace {

// Every fact of a probe, one per line, so that a difference names itself.
QString factLines(const ProbeResult &r)
{
    QStringList lines;
    const auto number = [](double value) { return QString::number(value, 'f', 6); };
    lines << QStringLiteral("play time %1 %2").arg(r.hasPlayTime).arg(number(r.seconds))
          << QStringLiteral("ends %1 %2").arg(number(r.pictureEnd), number(r.soundEnd))
          << QStringLiteral("sound %1 %2").arg(number(r.soundSeconds), number(r.soundPacketSeconds))
          << QStringLiteral("streams %1 %2 %3 %4")
                 .arg(r.hasVideo)
                 .arg(r.hasAudio)
                 .arg(r.videoStreams)
                 .arg(r.soundStreams)
          << QStringLiteral("shape %1x%2 %3 %4")
                 .arg(r.width)
                 .arg(r.height)
                 .arg(number(r.displayAspect))
                 .arg(r.rotation);
    for (const QString &fact : {r.containerFormat, r.videoFormat, r.videoProfile, r.bitDepth,
                                r.chromaFormat, r.pixelAspect, r.frameRate, r.fieldOrder,
                                r.audioFormat, r.sampleRate, r.channels, r.channelLayout})
        lines << fact;
    return lines.join(QLatin1Char('\n'));
}

} // namespace

// The quick probe reads less of each file; what it tells must be what the
// library tells by default, for the kinds of files people join: phone and
// camera MP4 and MOV (turned), Matroska and WebM (whose frame rate needs
// more than the headers), AVI with variable-rate MP3, and MPEG program
// streams.
void MediaProbeTest::quickProbeKeepsEveryFact()
{
    const QStringList picture{"-f", "lavfi", "-i", "testsrc2=size=320x240:rate=25:duration=2"};
    const QStringList sound{"-f", "lavfi", "-i", "sine=sample_rate=44100:duration=2"};
    const QList<QPair<QString, QStringList>> clips{
        {"phone.mp4", {"-c:v", "libx264", "-c:a", "aac"}},
        {"turned.mov", {"-c:v", "libx264", "-c:a", "pcm_s16le", "-metadata:s:v:0", "rotate=90"}},
        {"film.mkv", {"-c:v", "libx264", "-c:a", "libopus"}},
        {"web.webm", {"-c:v", "libvpx", "-c:a", "libvorbis"}},
        {"vbr.avi", {"-c:v", "mpeg4", "-c:a", "libmp3lame", "-q:a", "6"}},
        {"dvd.mpg", {"-c:v", "mpeg2video", "-c:a", "mp2"}},
    };
    for (const auto &[name, codecs] : clips) {
        const QString path = m_dir.filePath(name);
        QVERIFY2(runFfmpeg(picture + sound + codecs + QStringList{path}), qPrintable(name));
        SetProbeDepth(ProbeDepth::Thorough);
        const ProbeResult thorough = ProbeMediaFile(path);
        SetProbeDepth(ProbeDepth::Quick);
        const ProbeResult quick = ProbeMediaFile(path);
        QVERIFY2(thorough.isTakeable() && !thorough.frameRate.isEmpty(), qPrintable(name));
        QCOMPARE(factLines(quick), factLines(thorough));
    }
}

QTEST_GUILESS_MAIN(MediaProbeTest)
#include "test_mediaprobe.moc"
