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

QTEST_GUILESS_MAIN(MediaProbeTest)
#include "tst_mediaprobe.moc"
