#include "tasklist/columnsizing.h"

#include <QTest>

class TestColumnSizing : public QObject {
    Q_OBJECT

private slots:
    void firstNoticeOnlyMovesTheRememberedWidth()
    {
        ColumnSizing sizing;
        QList<int> widths{350, 90, 80, 150};
        QVERIFY(sizing.resize(770, widths));
        QCOMPARE(sizing.rememberedWidth(), 770);
        widths = {350, 90, 80, 150};
        QVERIFY(!sizing.resize(770, widths));
        QCOMPARE(widths, (QList<int>{350, 90, 80, 150}));
    }

    void widerListGrowsEachColumnByItsShare()
    {
        ColumnSizing sizing;
        QList<int> widths{350, 90, 80, 150};
        sizing.resize(770, widths);
        widths = {350, 90, 80, 150};
        sizing.resize(870, widths);
        QCOMPARE(widths, (QList<int>{399, 107, 95, 169}));
    }

    void halvesGoToEvenWithoutCarry()
    {
        ColumnSizing sizing;
        QList<int> widths{350, 90, 80, 150};
        sizing.resize(612, widths); // d = 50: 24.5, 8.5, 7.5, 9.5
        QCOMPARE(widths, (QList<int>{374, 98, 88, 160}));
    }

    void narrowWindowKeepsWidthsAtZero()
    {
        ColumnSizing sizing;
        QList<int> widths{10, 5, 5, 5};
        sizing.resize(62, widths); // d = -500
        QCOMPARE(widths, (QList<int>{0, 0, 0, 0}));
    }
};

QTEST_GUILESS_MAIN(TestColumnSizing)
#include "test_columnsizing.moc"
