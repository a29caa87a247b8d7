#include "contract/encoderlines.h"
#include "engine/outputtail.h"
#include "engine/progressparser.h"
#include "engine/progresstracker.h"

#include "testclips.h"

#include <QFile>
#include <QLocale>
#include <QTest>

class TestProgress : public QObject {
    Q_OBJECT
private slots:
    void positionTextIsTakenFromTheLastPos();
    void positionReadsADotWhateverTheLocale();
    void theEncodersPositionLinesReadBack();
    void halvesRoundToTheEvenNeighbour();
    void currentBarFollowsThePositionWithinItsSpan();
    void totalBarAddsDoneSecondsAndOffset();
    void theLeadingChunksAreNeverParsed();
    void forwardOnlyIgnoresASmallerPosition();
    void positionTextCarriesOverFromTheStagesLastRun();
    void capturedConversionFillsTheCurrentBar();
    void capturedJoiningFillsTheTotalBarToTheEnd();
    void outputTailShowsWhatATerminalWouldHoweverItIsRead();
};

namespace {

QByteArray statusLine(const char *seconds)
{
    return QByteArray("Pos: ") + seconds +
           "s     15f ( 4%)  0.00fps Trem:   0min   0mb  A-V:0.004 [0:0]\r";
}

// Feeds the chunks that are never parsed, so the next one counts.
void skipLeadingChunks(ProgressTracker &tracker)
{
    for (int i = 0; i < UnparsedLeadingChunks; ++i)
        QVERIFY(!tracker.takeChunk(statusLine("  9.0")));
}

QByteArray capture(const char *name)
{
    QFile file(testDataPath(QLatin1String(name)));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", name);
    return file.readAll();
}

// The output as the encoder writes it: a piece ends after each '\r' or '\n'.
// A reader that keeps up gets one chunk per piece.
QList<QByteArray> encoderWrites(const QByteArray &output)
{
    QList<QByteArray> pieces;
    qsizetype start = 0;
    for (qsizetype i = 0; i < output.size(); ++i) {
        if (output[i] == '\r' || output[i] == '\n') {
            pieces << output.mid(start, i + 1 - start);
            start = i + 1;
        }
    }
    if (start < output.size())
        pieces << output.mid(start);
    return pieces;
}

// The output in the runner's largest reads, as from a reader that fell behind.
QList<QByteArray> fullReads(const QByteArray &output)
{
    QList<QByteArray> reads;
    for (qsizetype at = 0; at < output.size(); at += MaxChunkBytes)
        reads << output.mid(at, MaxChunkBytes);
    return reads;
}

// The bars after every chunk that changed them.
QList<ProgressBars> replay(const QList<QByteArray> &chunks, ProgressTracker &tracker)
{
    QList<ProgressBars> seen;
    for (const QByteArray &chunk : chunks) {
        if (tracker.takeChunk(chunk))
            seen << tracker.bars();
    }
    return seen;
}

} // namespace

void TestProgress::positionTextIsTakenFromTheLastPos()
{
    // A chunk holds every line written since the last read; the latest counts.
    const QByteArray two = statusLine("  1.5") + statusLine("  2.0");
    QCOMPARE(PositionTextFromChunk(two, QStringLiteral("old")), QStringLiteral("   2.0"));
    QCOMPARE(PositionTextFromChunk("1 duplicate frame(s)!\n", QStringLiteral("7")),
             QStringLiteral("7"));
    // A last line cut off before its "s" leaves the one before it.
    QCOMPARE(PositionTextFromChunk(two + "Pos:  2.", QStringLiteral("7")),
             QStringLiteral("   2.0"));
    // With no complete one the text empties, and the position stays.
    QCOMPARE(PositionTextFromChunk("\rPos:  12.3", QStringLiteral("7")), QString());
    QVERIFY(!ParsePosition(QString()));
    QCOMPARE(NextPosition(7, ParsePosition(QString()), false), 7.0);
    // A NUL ends what a read means.
    const QByteArray withZero("Pos: 1.0s\0Pos: 2.0s", 19);
    QCOMPARE(ChunkText(withZero), QStringLiteral("Pos: 1.0s"));
    QCOMPARE(PositionTextFromChunk(withZero, QString()), QStringLiteral(" 1.0"));
}

void TestProgress::positionReadsADotWhateverTheLocale()
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(ParsePosition(QStringLiteral("  12.5 ")), std::optional<double>(12.5));
    QCOMPARE(ParsePosition(QStringLiteral("\t0.0")), std::optional<double>(0.0));
    QLocale::setDefault(before);
    QVERIFY(!ParsePosition(QStringLiteral("1.2.3")));
    QVERIFY(!ParsePosition(QStringLiteral("nan")));
}

// The lines asapi.dll writes, read as a job reads them: the latest line of
// a read counts, whatever the user's locale makes of numbers.
void TestProgress::theEncodersPositionLinesReadBack()
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ProgressTracker tracker({4000, 8000, 0, 0, false}, ProgressBars());
    skipLeadingChunks(tracker);
    for (const double seconds : {0.0, 0.04, 1.0, 12.3, 99.96, 3599.9}) {
        tracker.takeChunk(PositionLine(seconds + 7, 1) +
                          PositionLine(seconds, qint64(30 * seconds)));
        QVERIFY2(qAbs(tracker.position() - seconds) <= 0.05, qPrintable(tracker.positionText()));
    }
    tracker.takeChunk(PositionLine(2400, 72000));
    QCOMPARE(tracker.position(), 2400.0);
    QCOMPARE(tracker.bars(), (ProgressBars{60, 15}));
    QLocale::setDefault(before);
}

void TestProgress::halvesRoundToTheEvenNeighbour()
{
    QCOMPARE(RoundHalfEven(0.5L), 0.0L);
    QCOMPARE(RoundHalfEven(1.5L), 2.0L);
    QCOMPARE(RoundHalfEven(2.5L), 2.0L);
    QCOMPARE(RoundHalfEven(-0.5L), -0.0L);
    QCOMPARE(RoundHalfEven(2.5000001L), 3.0L);
}

void TestProgress::currentBarFollowsThePositionWithinItsSpan()
{
    const ProgressParams c8{8, 0, 0, 0, false};
    const ProgressBars before{55, 33};
    QCOMPARE(ComputeBars(1, c8, before).current, 12); // 12.5
    QCOMPARE(ComputeBars(3, c8, before).current, 38); // 37.5
    QCOMPARE(ComputeBars(9.5, c8, before).current, 100);
    QCOMPARE(ComputeBars(3, c8, before).total, 33); // T = 0 leaves the total bar
    // An unreadable play time counts as -1: the bar stays at 0.
    QCOMPARE(ComputeBars(3, {-1, 10, 0, 0, false}, before).current, 0);
    // A play time of 0 leaves the current bar alone.
    QCOMPARE(ComputeBars(3, {0, 10, 0, 0, false}, before).current, 55);
}

void TestProgress::totalBarAddsDoneSecondsAndOffset()
{
    // Conversion, second of three rows: 8 s done of 20 s in all, 3 s into this one.
    QCOMPARE(ComputeBars(3, {4, 20, 8, 0, false}, {}).total, 28); // 27.5
    // Joining adds 50 and stops at 100.
    QCOMPARE(ComputeBars(10, {20, 20, 0, 50, true}, {}).total, 75);
    QCOMPARE(ComputeBars(25, {20, 20, 0, 50, true}, {}).total, 100);
}

void TestProgress::theLeadingChunksAreNeverParsed()
{
    ProgressTracker tracker({8, 16, 0, 0, false}, {37, 45});
    for (int i = 0; i < UnparsedLeadingChunks; ++i)
        QVERIFY(!tracker.takeChunk(statusLine("  3.0")));
    // A run that ends here leaves the bars as they were.
    QCOMPARE(tracker.bars(), (ProgressBars{37, 45}));
    QCOMPARE(tracker.position(), 0.0);

    QVERIFY(tracker.takeChunk(statusLine("  3.0")));
    QCOMPARE(tracker.bars(), (ProgressBars{38, 9}));
    QVERIFY(!tracker.takeChunk(statusLine("  3.0"))); // nothing new
}

void TestProgress::forwardOnlyIgnoresASmallerPosition()
{
    ProgressTracker joining({20, 20, 0, 50, true}, {});
    skipLeadingChunks(joining);
    QVERIFY(joining.takeChunk(statusLine("  8.0")));
    const ProgressBars at8 = joining.bars();
    QVERIFY(!joining.takeChunk(statusLine("  2.0")));
    QCOMPARE(joining.bars(), at8);
    QCOMPARE(joining.position(), 8.0);

    ProgressTracker converting({20, 20, 0, 0, false}, {});
    skipLeadingChunks(converting);
    QVERIFY(converting.takeChunk(statusLine("  8.0")));
    QVERIFY(converting.takeChunk(statusLine("  2.0")));
    QCOMPARE(converting.bars(), (ProgressBars{10, 5}));
}

void TestProgress::positionTextCarriesOverFromTheStagesLastRun()
{
    ProgressTracker tracker({10, 10, 0, 0, false}, {}, QStringLiteral("   4.0"));
    skipLeadingChunks(tracker);
    QVERIFY(tracker.takeChunk("1 duplicate frame(s)!\n"));
    QCOMPARE(tracker.position(), 4.0);
    QCOMPARE(tracker.bars(), (ProgressBars{40, 20}));
}

void TestProgress::capturedConversionFillsTheCurrentBar()
{
    // The captured run converted a 60 s clip; here the first of two in a 120 s job.
    ProgressTracker tracker({60, 120, 0, 0, false}, {});
    const QList<ProgressBars> seen =
        replay(encoderWrites(capture("mencoder_convert.txt")), tracker);
    QVERIFY(seen.size() > 50);
    for (qsizetype i = 1; i < seen.size(); ++i)
        QVERIFY(seen[i].current >= seen[i - 1].current);
    QCOMPARE(tracker.position(), 59.9);
    QCOMPARE(tracker.bars(), (ProgressBars{100, 25}));
}

void TestProgress::capturedJoiningFillsTheTotalBarToTheEnd()
{
    // Two temporaries of 30 s and 15 s.
    ProgressTracker byWrites({45, 45, 0, 50, true}, {100, 50});
    replay(encoderWrites(capture("mencoder_join.txt")), byWrites);
    QCOMPARE(byWrites.bars(), (ProgressBars{100, 100}));

    // In full reads each chunk counts by its last "Pos:", so a reader that
    // falls behind still reaches the same end; the bars only move forward.
    ProgressTracker byReads({45, 45, 0, 50, true}, {100, 50});
    const QList<ProgressBars> seen = replay(fullReads(capture("mencoder_join.txt")), byReads);
    QVERIFY(!seen.isEmpty());
    for (qsizetype i = 1; i < seen.size(); ++i)
        QVERIFY(seen[i].total >= seen[i - 1].total);
    QCOMPARE(byReads.bars(), byWrites.bars());
    QCOMPARE(byReads.position(), byWrites.position());
}

void TestProgress::outputTailShowsWhatATerminalWouldHoweverItIsRead()
{
    const QByteArray sample = "one\nPos: 1s\rPos: 2s\r\r\n\n  \nlast\rlas";
    const QByteArray captured = capture("mencoder_convert.txt") + sample;
    QList<QList<QByteArray>> readings{encoderWrites(captured), fullReads(captured), {}};
    for (qsizetype at = 0; at < captured.size(); at += 7)
        readings.last() << captured.mid(at, 7);
    QStringList first;
    for (const QList<QByteArray> &chunks : readings) {
        OutputTail tail(3);
        for (const QByteArray &chunk : chunks)
            tail.append(chunk);
        // Of a rewritten line its last non-empty state; blank lines left out.
        QCOMPARE(tail.lastLines(3), (QStringList{QStringLiteral("one"), QStringLiteral("Pos: 2s"),
                                                 QStringLiteral("las")}));
        if (first.isEmpty())
            first = tail.lastLines(10);
        QCOMPARE(tail.lastLines(10), first); // the ring holds three, and the unfinished line
    }
    QCOMPARE(first.size(), 4);
}

QTEST_GUILESS_MAIN(TestProgress)
#include "test_progress.moc"
