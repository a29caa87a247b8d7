#include "encodertestdir.h"
#include "fakeencoderlog.h"

#include "engine/commandline.h"
#include "engine/encoderrun.h"
#include "tasklist/mediaprobe.h"

#include "testclips.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

class TestEncoderRun : public QObject {
    Q_OBJECT
private slots:
    void init();
    void replayedConversionWritesTheFileAndMovesTheBars();
    void failureKeepsTheEncodersLastWords();
    void crashIsToldApartFromAnEnd();
    void terminateStopsAHangingEncoder();
    void aSilentRunIsEndedAsStalledOrOverran();
    void runWithinTheLeadingChunksLeavesTheBars();
    void missingOrNonExecutableEncoderFailsToStart_data();
    void missingOrNonExecutableEncoderFailsToStart();
    void realEncoderConvertsAndJoins();
    void realEncoderFailsOnAMissingInput();
};

namespace {

// Long enough for any single run here, real encoder included.
constexpr int RunTimeoutMs = 120000;

struct RunResult {
    RunOutcome outcome;
    QList<ProgressBars> progress;
};

RunResult runToEnd(EncoderRun &run, const RunSetup &setup)
{
    QSignalSpy finished(&run, &EncoderRun::finished);
    QSignalSpy progress(&run, &EncoderRun::progress);
    run.start(setup);
    RunResult result;
    if (!finished.wait(RunTimeoutMs))
        qWarning("the run did not end");
    else
        result.outcome = finished.at(0).at(0).value<RunOutcome>();
    for (const QList<QVariant> &bars : progress)
        result.progress << ProgressBars{bars.at(0).toInt(), bars.at(1).toInt()};
    return result;
}

RunSetup conversion(const QString &program, const QString &input, const QString &temp,
                    double clipSeconds, double jobSeconds)
{
    RunSetup setup;
    setup.program = program;
    setup.arguments = ConvertArguments(input, temp, FrameSize{320, 240}, ProbeResult());
    setup.progress = {clipSeconds, jobSeconds, 0, 0, false};
    return setup;
}

QList<QStringList> loggedRuns(const QString &log)
{
    return ReadFakeEncoderLog(log);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void verifyBarsMoveWithinRange(const QList<ProgressBars> &seen)
{
    for (qsizetype i = 0; i < seen.size(); ++i) {
        QVERIFY(seen[i].current >= 0 && seen[i].current <= 100);
        QVERIFY(seen[i].total >= 0 && seen[i].total <= 100);
        if (i > 0)
            QVERIFY(seen[i] != seen[i - 1]);
    }
}

} // namespace

void TestEncoderRun::init()
{
    for (const char *name : {"FAKE_ENCODER_MODE", "FAKE_ENCODER_REPLAY", "FAKE_ENCODER_PACE_MS",
                             "FAKE_ENCODER_LOG", "FAKE_ENCODER_EXIT_CODE"})
        qunsetenv(name);
}

void TestEncoderRun::replayedConversionWritesTheFileAndMovesTheBars()
{
    EncoderTestDir dir;
    QVERIFY(dir.isValid());
    const QString input = dir.filePath(QStringLiteral("My Videos/a clip.avi"));
    const QString temp = dir.filePath(QStringLiteral("temp dir/0.avi"));
    QVERIFY(writeFile(input, "input bytes"));
    QDir().mkpath(QFileInfo(temp).absolutePath());
    qputenv("FAKE_ENCODER_LOG", dir.filePath(QStringLiteral("log")).toLocal8Bit());

    EncoderRun run;
    // The captured run converted a 60 s clip; here the first of two in a 120 s job.
    const RunSetup setup = conversion(dir.encoderPath(), input, temp, 60, 120);
    const RunResult result = runToEnd(run, setup);

    QCOMPARE(result.outcome.kind, RunOutcome::Exited);
    QVERIFY(result.outcome.exitedCleanly());
    QCOMPARE(loggedRuns(dir.filePath(QStringLiteral("log"))), QList<QStringList>{setup.arguments});
    QCOMPARE(readFile(temp), QByteArray("input bytes"));
    QVERIFY(run.chunkCount() > UnparsedLeadingChunks);
    // However the reads fell, the output is long enough to be parsed, and the
    // last chunk with a "Pos:" is within a few seconds of the end.
    QVERIFY(!result.progress.isEmpty());
    verifyBarsMoveWithinRange(result.progress);
    QVERIFY(result.progress.last().current >= 95);
    QVERIFY(result.progress.last().total >= 24 && result.progress.last().total <= 25);
    QCOMPARE(run.bars(), result.progress.last());
    QVERIFY(run.lastOutputText().endsWith(QLatin1String("60.056 secs\n")));
    QVERIFY(run.lastLines(1).value(0).startsWith(QLatin1String("Audio stream:")));
}

void TestEncoderRun::failureKeepsTheEncodersLastWords()
{
    EncoderTestDir dir;
    QVERIFY(dir.isValid());
    qputenv("FAKE_ENCODER_MODE", "fail");
    qputenv("FAKE_ENCODER_EXIT_CODE", "3");
    const QString temp = dir.filePath(QStringLiteral("0.avi"));

    EncoderRun run;
    const RunResult result =
        runToEnd(run, conversion(dir.encoderPath(), dir.filePath("missing.avi"), temp, 5, 5));

    QCOMPARE(result.outcome.kind, RunOutcome::Exited);
    QCOMPARE(result.outcome.exitCode, 3);
    QVERIFY(!result.outcome.exitedCleanly());
    QVERIFY(!QFile::exists(temp));
    QVERIFY(result.progress.isEmpty());
    // The fake writes its complaint to standard error: it arrives all the same.
    const QStringList last = run.lastLines(4);
    QCOMPARE(last.first(), QStringLiteral("File not found: 'missing.avi'"));
    QCOMPARE(last.last(), QStringLiteral("Exiting..."));
}

void TestEncoderRun::crashIsToldApartFromAnEnd()
{
    EncoderTestDir dir;
    QVERIFY(dir.isValid());
    qputenv("FAKE_ENCODER_MODE", "crash");
    EncoderRun run;
    const RunResult result = runToEnd(
        run, conversion(dir.encoderPath(), dir.filePath("in.avi"), dir.filePath("0.avi"), 5, 5));
    QCOMPARE(result.outcome.kind, RunOutcome::Crashed);
    QVERIFY(!result.outcome.exitedCleanly());
}

void TestEncoderRun::terminateStopsAHangingEncoder()
{
    EncoderTestDir dir;
    QVERIFY(dir.isValid());
    qputenv("FAKE_ENCODER_MODE", "hang");
    EncoderRun run;
    QSignalSpy finished(&run, &EncoderRun::finished);
    run.start(conversion(dir.encoderPath(), dir.filePath("in.avi"), dir.filePath("0.avi"), 30, 30));
    QTRY_VERIFY_WITH_TIMEOUT(run.chunkCount() > 0, RunTimeoutMs);
    QVERIFY(run.isRunning());

    run.terminate();
    QVERIFY(finished.wait(RunTimeoutMs));
    QCOMPARE(finished.at(0).at(0).value<RunOutcome>().kind, RunOutcome::Stopped);
    QVERIFY(!run.isRunning());
    QVERIFY(QFile::exists(dir.filePath("0.avi"))); // the partial file is the job's to remove

    run.terminate(); // an ended run: nothing happens
    QCOMPARE(finished.count(), 1);
}

// Nobody waits forever: a run that stops making progress is ended, and the
// outcome tells a hang in the middle from one after the work was done.
void TestEncoderRun::aSilentRunIsEndedAsStalledOrOverran()
{
    EncoderTestDir dir;
    QVERIFY(dir.isValid());
    qputenv("FAKE_ENCODER_MODE", "hang");
    const struct {
        double span;
        RunOutcome::Kind kind;
    } cases[] = {{1000, RunOutcome::Stalled}, {1, RunOutcome::Overran}};
    for (const auto &c : cases) {
        EncoderRun run;
        run.setStallLimit(400);
        const RunResult result = runToEnd(run, conversion(dir.encoderPath(), dir.filePath("in.avi"),
                                                          dir.filePath("0.avi"), c.span, c.span));
        QCOMPARE(result.outcome.kind, c.kind);
        QVERIFY(!run.isRunning());
    }
}

void TestEncoderRun::runWithinTheLeadingChunksLeavesTheBars()
{
    EncoderTestDir dir;
    QVERIFY(dir.isValid());
    qputenv("FAKE_ENCODER_MODE", "silent");
    RunSetup setup =
        conversion(dir.encoderPath(), dir.filePath("in.avi"), dir.filePath("0.avi"), 8, 16);
    setup.barsBefore = {37, 45};
    EncoderRun run;
    const RunResult result = runToEnd(run, setup);
    QVERIFY(result.outcome.exitedCleanly());
    QVERIFY(result.progress.isEmpty());
    QCOMPARE(run.bars(), (ProgressBars{37, 45}));
    QVERIFY(QFile::exists(dir.filePath("0.avi")));
}

void TestEncoderRun::missingOrNonExecutableEncoderFailsToStart_data()
{
    QTest::addColumn<bool>("present");
    QTest::newRow("missing") << false;
    QTest::newRow("not executable") << true;
}

void TestEncoderRun::missingOrNonExecutableEncoderFailsToStart()
{
    QFETCH(bool, present);
    QTemporaryDir dir;
    const QString encoder = dir.filePath(QStringLiteral("asapi.dll"));
    if (present)
        QVERIFY(writeFile(encoder, "#!/bin/sh\nexit 0\n"));

    EncoderRun run;
    QSignalSpy finished(&run, &EncoderRun::finished);
    run.start(conversion(encoder, dir.filePath("in.avi"), dir.filePath("0.avi"), 5, 5));
    QCOMPARE(finished.count(), 0); // never from inside start()
    QVERIFY(finished.wait(RunTimeoutMs));
    QCOMPARE(finished.at(0).at(0).value<RunOutcome>().kind, RunOutcome::FailedToStart);
    QVERIFY(!QFile::exists(dir.filePath("0.avi")));
}

void TestEncoderRun::realEncoderConvertsAndJoins()
{
    EncoderTestDir dir(EncoderTestDir::Real);
    QVERIFY(dir.isValid());
    // Long enough that the encoder's output takes more reads than are skipped.
    const QString first = dir.filePath(QStringLiteral("My Videos/first clip.avi"));
    const QString second = dir.filePath(QStringLiteral("My Videos/second.mp4"));
    QDir().mkpath(dir.filePath(QStringLiteral("My Videos")));
    QVERIFY(makeClip(first, {160, 120, 40, 24, true}));
    QVERIFY(makeClip(second, {176, 144, 8, 25, true}));
    QDir().mkpath(dir.filePath(QStringLiteral("temp dir")));
    const QStringList temps{dir.filePath(QStringLiteral("temp dir/0.avi")),
                            dir.filePath(QStringLiteral("temp dir/1.avi"))};

    EncoderRun convertFirst;
    const RunResult converted =
        runToEnd(convertFirst, conversion(dir.encoderPath(), first, temps[0], 40, 48));
    QVERIFY(converted.outcome.exitedCleanly());
    QVERIFY(QFileInfo(temps[0]).size() > 0);
    verifyBarsMoveWithinRange(converted.progress);
    QVERIFY(!converted.progress.isEmpty());
    QVERIFY(converted.progress.last().current >= 90);
    QVERIFY(converted.progress.last().total >= 38); // 40 of 48 s fill 42 of the first 50 %

    EncoderRun convertSecond;
    QVERIFY(runToEnd(convertSecond, conversion(dir.encoderPath(), second, temps[1], 8, 48))
                .outcome.exitedCleanly());

    RunSetup join;
    join.program = dir.encoderPath();
    const QString output = dir.filePath(QStringLiteral("My Videos/joined.avi"));
    join.arguments = SplitCommandLine(
        JoinCommandLine(temps, output,
                        QStringLiteral(" -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=400:mbd=2:"
                                       "autoaspect -oac mp3lame -lameopts vbr=2:q=6 -channels 2 "
                                       "-vf scale=320:240 -srate 44100")));
    join.progress = {48, 48, 0, 50, true};
    EncoderRun joinRun;
    const RunResult joined = runToEnd(joinRun, join);
    QVERIFY(joined.outcome.exitedCleanly());
    QVERIFY(QFileInfo(output).size() > 0);
    QVERIFY(!joined.progress.isEmpty());
    for (qsizetype i = 1; i < joined.progress.size(); ++i)
        QVERIFY(joined.progress[i].total >= joined.progress[i - 1].total);
    QVERIFY(joined.progress.last().total >= 95);
}

void TestEncoderRun::realEncoderFailsOnAMissingInput()
{
    EncoderTestDir dir(EncoderTestDir::Real);
    QVERIFY(dir.isValid());
    const QString temp = dir.filePath(QStringLiteral("0.avi"));
    EncoderRun run;
    const RunResult result =
        runToEnd(run, conversion(dir.encoderPath(), dir.filePath("no such clip.avi"), temp, 5, 5));
    QCOMPARE(result.outcome.kind, RunOutcome::Exited);
    QVERIFY(result.outcome.exitCode != 0);
    QVERIFY(!QFile::exists(temp));
    QVERIFY(run.lastLines().join(QLatin1Char('\n')).contains(QLatin1String("File not found")));
}

QTEST_GUILESS_MAIN(TestEncoderRun)
#include "test_encoderrun.moc"
