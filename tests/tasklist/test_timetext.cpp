#include "tasklist/timetext.h"

#include <QtTest>
#include <limits>

class TimeTextTest : public QObject {
    Q_OBJECT
private slots:
    void writesTimeText_data();
    void writesTimeText();
    void readsTimeText_data();
    void readsTimeText();
    void readsBackWhatItWrites();
};

void TimeTextTest::writesTimeText_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("65 s") << 65.0 << "00:01:05";
    QTest::newRow("3723.4 s") << 3723.4 << "01:02:03.4";
    QTest::newRow("hours beyond two digits") << 360000.0 << "100:00:00";
    QTest::newRow("tenths round up into the next second") << 12.96 << "00:00:13";
    QTest::newRow("carry across a minute") << 59.97 << "00:01:00";
    QTest::newRow("zero") << 0.0 << "00:00:00";
    QTest::newRow("3599 s") << 3599.0 << "00:59:59";
    QTest::newRow("a half tenth goes to the even digit (down)") << 0.25 << "00:00:00.2";
    QTest::newRow("a half tenth goes to the even digit (up)") << 0.75 << "00:00:00.8";
    QTest::newRow("under half a tenth shows none") << 7.04 << "00:00:07";
    QTest::newRow("negative") << -3.5 << "00:00:00";
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << "00:00:00";
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << "00:00:00";
}

void TimeTextTest::writesTimeText()
{
    QFETCH(double, seconds);
    QFETCH(QString, text);
    QCOMPARE(SecondsToTimeText(seconds), text);
}

void TimeTextTest::readsTimeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("seconds");
    QTest::newRow("00:01:05") << "00:01:05" << 65.0;
    QTest::newRow("with tenths") << "01:02:03.4" << 3723.4;
    QTest::newRow("single digits") << "1:2:3" << 3723.0;
    QTest::newRow("many hour digits") << "100:00:00" << 360000.0;
    QTest::newRow("seconds beyond 59") << "00:00:75" << 75.0;
    QTest::newRow("point without fraction") << "00:00:05." << 5.0;
    QTest::newRow("one colon only") << "12:30" << -1.0;
    QTest::newRow("seconds start with a point") << "00:00:.5" << -1.0;
    QTest::newRow("empty") << "" << -1.0;
    QTest::newRow("letters for hours") << "aa:00:00" << -1.0;
    QTest::newRow("empty hours") << ":00:00" << -1.0;
    QTest::newRow("empty seconds") << "00:00:" << -1.0;
    QTest::newRow("third colon") << "00:00:01:02" << -1.0;
    QTest::newRow("sign") << "-1:00:00" << -1.0;
    QTest::newRow("plus in seconds") << "00:00:+5" << -1.0;
    QTest::newRow("leading blank") << " 00:00:01" << -1.0;
    QTest::newRow("trailing blank") << "00:00:01 " << -1.0;
    QTest::newRow("exponent") << "00:00:1e3" << -1.0;
    QTest::newRow("decimal comma") << "00:00:01,5" << -1.0;
    QTest::newRow("two points") << "00:00:01.2.3" << -1.0;
    QTest::newRow("fraction in minutes") << "00:01.5:00" << -1.0;
    QTest::newRow("non-ASCII digits") << QString::fromUtf8("\u0661:00:00") << -1.0;
}

void TimeTextTest::readsTimeText()
{
    QFETCH(QString, text);
    QFETCH(double, seconds);
    QCOMPARE(TimeTextToSeconds(text), seconds);
}

void TimeTextTest::readsBackWhatItWrites()
{
    for (const double seconds : {0.0, 0.1, 9.9, 61.5, 3600.0, 86399.9, 123456.7}) {
        const QString text = SecondsToTimeText(seconds);
        QVERIFY2(qAbs(TimeTextToSeconds(text) - seconds) < 1e-6, qPrintable(text));
    }
}

QTEST_GUILESS_MAIN(TimeTextTest)
#include "test_timetext.moc"
