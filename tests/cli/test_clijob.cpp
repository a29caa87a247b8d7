// brelvane-cli running jobs with the fake encoder: the overwrite policies,
// the exit codes of failures, Ctrl+C, what it prints, and the leftovers of
// earlier runs.
#include "clitestdir.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

class TestCliJob : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void overwritePolicies_data();
    void overwritePolicies();
    void askOnTheTerminal_data();
    void askOnTheTerminal();
    void encoderFailuresExitWith4_data();
    void encoderFailuresExitWith4();
    void aTempFolderThatCannotBeMadeRefusesTheJob();
    void aSignalTakesTheCancelPath_data();
    void aSignalTakesTheCancelPath();
    void progressAndQuiet();
    void aJobRemovesTheFoldersOfEndedRunsOnly();

private:
    QStringList joinArgs(const CliTestDir &dir, const QStringList &options) const;
    QString clip(const QString &name) const { return m_clips.path() + QLatin1Char('/') + name; }

    QTemporaryDir m_clips;
};

static QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

static bool writeText(const QString &path, const QByteArray &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// A pseudo terminal whose far end is the child's standard input.
class PseudoTerminal {
public:
    PseudoTerminal()
        : m_master(posix_openpt(O_RDWR | O_NOCTTY))
    {
        m_valid = m_master >= 0 && grantpt(m_master) == 0 && unlockpt(m_master) == 0;
    }
    ~PseudoTerminal()
    {
        if (m_master >= 0)
            ::close(m_master);
    }
    bool isValid() const { return m_valid; }
    QString childEnd() const { return QString::fromLocal8Bit(ptsname(m_master)); }
    // Typed ahead: the terminal keeps the line until it is read.
    bool type(const QByteArray &text) const
    {
        return ::write(m_master, text.constData(), text.size()) == text.size();
    }

private:
    int m_master;
    bool m_valid = false;
};

void TestCliJob::initTestCase()
{
    QVERIFY(m_clips.isValid());
    QVERIFY(MakeShortClips({clip("a.mp4"), clip("b.mp4")}));
}

QStringList TestCliJob::joinArgs(const CliTestDir &dir, const QStringList &options) const
{
    return QStringList{"join",
                       "--profile",
                       "AVI - MPEG-4 and MP3",
                       "--temp-dir",
                       dir.tempDir(),
                       "--output",
                       dir.workPath("out.avi"),
                       "--jobs",
                       "1"} +
           options + QStringList{clip("a.mp4"), clip("b.mp4")};
}

void TestCliJob::overwritePolicies_data()
{
    QTest::addColumn<QString>("preferences");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("written");
    QTest::newRow("--overwrite") << "Ask=1\n" << QStringList{"--overwrite"} << "out.avi";
    QTest::newRow("--rename") << "Overwrite=1\n" << QStringList{"--rename"} << "out_1.avi";
    QTest::newRow("rename from the preferences") << "Ask=1\nRename=1\n"
                                                 << QStringList() << "out_1.avi";
    QTest::newRow("no button selected: overwritten without a question")
        << "Ask=0\nOverwrite=0\nRename=0\n"
        << QStringList() << "out.avi";
    QTest::newRow("--rename with out_1 taken") << "" << QStringList{"--rename"} << "out_2.avi";
}

void TestCliJob::overwritePolicies()
{
    QFETCH(QString, preferences);
    QFETCH(QStringList, options);
    QFETCH(QString, written);
    CliTestDir dir;
    QVERIFY(dir.isValid());
    dir.writePreferences(preferences);
    QVERIFY(writeText(dir.workPath("out.avi"), "earlier\n"));
    QVERIFY(writeText(dir.workPath("out_1.avi"), "earlier\n"));
    if (written == QLatin1String("out_1.avi"))
        QVERIFY(QFile::remove(dir.workPath("out_1.avi")));

    const CliRun run = dir.run(joinArgs(dir, options));
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, dir.workPath(written) + "\n");
    // The fake encoder writes its inputs end to end.
    QCOMPARE(contentOf(dir.workPath(written)).size(), QFile(clip("a.mp4")).size() * 2);
    for (const QString &name : {QStringLiteral("out.avi"), QStringLiteral("out_1.avi")}) {
        if (name != written && QFile::exists(dir.workPath(name)))
            QCOMPARE(contentOf(dir.workPath(name)), QByteArray("earlier\n"));
    }
    QVERIFY(dir.leftInTempDir().isEmpty());
}

void TestCliJob::askOnTheTerminal_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("yes") << QByteArray("y\n") << 0;
    QTest::newRow("no") << QByteArray("n\n") << 3;
    QTest::newRow("just Enter") << QByteArray("\n") << 3;
}

void TestCliJob::askOnTheTerminal()
{
    QFETCH(QByteArray, answer);
    QFETCH(int, exitCode);
    CliTestDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(writeText(dir.workPath("out.avi"), "earlier\n"));
    PseudoTerminal terminal;
    QVERIFY(terminal.isValid());
    QVERIFY(terminal.type(answer));

    auto process = dir.start(joinArgs(dir, {"--ask"}), {}, terminal.childEnd());
    const CliRun run = CliTestDir::finish(*process);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(QLatin1String("File Exists: The output file is existent.")),
             qPrintable(run.err));
    QCOMPARE(contentOf(dir.workPath("out.avi")) == "earlier\n", exitCode != 0);
    QCOMPARE(dir.encoderRuns().size(), exitCode == 0 ? 3 : 0);
}

void TestCliJob::encoderFailuresExitWith4_data()
{
    QTest::addColumn<int>("encoder");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("complaint");
    QTest::addColumn<bool>("copies");
    QTest::newRow("conversion fails")
        << int(CliTestDir::Fake) << "replay,fail"
        << "Conversion Failed: The encoder could not convert" << false;
    QTest::newRow("conversion crashes") << int(CliTestDir::Fake) << "crash"
                                        << "Conversion Failed" << false;
    QTest::newRow("joining fails") << int(CliTestDir::Fake) << "replay,replay,fail"
                                   << "Joining Failed" << false;
    // A copy join has no conversion: its one run is the join.
    QTest::newRow("copy join fails") << int(CliTestDir::Fake) << "fail"
                                     << "Joining Failed" << true;
    QTest::newRow("no encoder") << int(CliTestDir::Missing) << ""
                                << "Brelvane: Error. Please re-install Brelvane" << false;
    QTest::newRow("no encoder for a copy") << int(CliTestDir::Missing) << ""
                                           << "Brelvane: Error. Please re-install Brelvane" << true;
}

void TestCliJob::encoderFailuresExitWith4()
{
    QFETCH(int, encoder);
    QFETCH(QString, mode);
    QFETCH(QString, complaint);
    QFETCH(bool, copies);
    CliTestDir dir(static_cast<CliTestDir::Encoder>(encoder));
    QVERIFY(dir.isValid());
    QStringList args = joinArgs(dir, {});
    if (copies)
        args.replace(args.indexOf("AVI - MPEG-4 and MP3"), "Same as the inputs (no re-encoding)");
    const CliRun run = dir.run(args, {{"FAKE_ENCODER_MODE", mode}});
    QCOMPARE(run.exitCode, 4);
    QVERIFY2(run.err.contains(complaint), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
    QVERIFY(dir.leftInTempDir().isEmpty());
}

void TestCliJob::aTempFolderThatCannotBeMadeRefusesTheJob()
{
    CliTestDir dir;
    QVERIFY(dir.isValid());
    // Neither the folder asked for nor the program directory's "temp" can
    // be made: a file stands in the way of both.
    QVERIFY(writeText(dir.workPath("blocker"), "x"));
    QVERIFY(writeText(dir.programDir() + "temp", "x"));
    QStringList args = joinArgs(dir, {});
    args[4] = dir.workPath("blocker/temp");
    const CliRun run = dir.run(args);
    QCOMPARE(run.exitCode, 3);
    QVERIFY2(run.err.contains(QLatin1String("Temp Folder")), qPrintable(run.err));
    QVERIFY(dir.encoderRuns().isEmpty());
}

void TestCliJob::aSignalTakesTheCancelPath_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("runsBeforeTheStop");
    QTest::addColumn<QString>("notice");
    QTest::newRow("Ctrl+C while converting")
        << int(SIGINT) << "replay,hang" << 2 << "Cancel: The Coversion is canceled.";
    QTest::newRow("Ctrl+C while joining")
        << int(SIGINT) << "replay,replay,hang" << 3 << "Cancel: The Joining is canceled.";
    QTest::newRow("SIGTERM while converting")
        << int(SIGTERM) << "hang" << 1 << "Cancel: The Coversion is canceled.";
}

void TestCliJob::aSignalTakesTheCancelPath()
{
    QFETCH(int, signalNumber);
    QFETCH(QString, mode);
    QFETCH(int, runsBeforeTheStop);
    QFETCH(QString, notice);
    CliTestDir dir;
    QVERIFY(dir.isValid());
    auto process = dir.start(joinArgs(dir, {}), {{"FAKE_ENCODER_MODE", mode}});
    QVERIFY(process->waitForStarted());
    // The hanging run has written part of its file and waits to be killed.
    // (in the job's own folder, or the partial output beside the output file).
    const QString written =
        runsBeforeTheStop == 3
            ? dir.workPath(".out.partial-*.avi")
            : dir.tempDir() + "brelvane-job-*/" + QString::number(runsBeforeTheStop - 1) + ".avi";
    const auto writtenSize = [&written] {
        const QFileInfo pattern(written);
        const QStringList folders =
            QDir(pattern.path().section('/', 0, -2))
                .entryList({pattern.path().section('/', -1)}, QDir::Dirs | QDir::NoDotAndDotDot);
        const QString folder = pattern.path().contains('*') && !folders.isEmpty()
                                   ? pattern.path().section('/', 0, -2) + '/' + folders.first()
                                   : pattern.path();
        const QFileInfoList files =
            QDir(folder).entryInfoList({pattern.fileName()}, QDir::Files | QDir::Hidden);
        return files.isEmpty() ? qint64(0) : files.first().size();
    };
    QTRY_VERIFY_WITH_TIMEOUT(dir.encoderRuns().size() == runsBeforeTheStop && writtenSize() > 0,
                             60000);
    QVERIFY(::kill(static_cast<pid_t>(process->processId()), signalNumber) == 0);

    const CliRun run = CliTestDir::finish(*process);
    QVERIFY(run.exitedNormally);
    QCOMPARE(run.exitCode, 128 + signalNumber);
    QVERIFY2(run.err.contains(notice), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
    QCOMPARE(dir.leftInTempDir(), QStringList());
    QCOMPARE(dir.encoderRuns().size(), runsBeforeTheStop);
    QVERIFY(!ProcessAliveWith(dir.tempDir()));
}

void TestCliJob::progressAndQuiet()
{
    CliTestDir dir;
    QVERIFY(dir.isValid());
    // The window's after-completion actions do not apply to the command
    // line: the completion is reported and nothing else happens.
    dir.writePreferences(QStringLiteral("Auto Exit=1\nAuto Turn Off=1\nAuto Open Dir=1\n"));
    const CliRun run = dir.run(joinArgs(dir, {}));
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, dir.workPath("out.avi\n"));
    // Not a terminal: plain lines, one per file and stage at least.
    const QStringList lines = run.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY2(lines.first().startsWith(QLatin1String("Prepare (Converting): a.mp4 | current ")),
             qPrintable(run.err));
    QVERIFY(run.err.contains(QLatin1String("\nPrepare (Converting): b.mp4 | current ")));
    const QString joined =
        QStringLiteral("Final Step: Joining all files... | current 100% | total 100%");
    QCOMPARE(lines.filter(joined).size(), 1);
    QCOMPARE(lines.last(),
             QStringLiteral("brelvane-cli: Complete: The joining is completed successfully."));
    QVERIFY(!run.err.contains(QLatin1Char('\r')));

    const CliRun quiet = dir.run(joinArgs(dir, {"--quiet", "--overwrite"}));
    QCOMPARE(quiet.exitCode, 0);
    QCOMPARE(quiet.err, QString());
    QCOMPARE(quiet.out, QString());
    QCOMPARE(QFile(dir.workPath("out.avi")).size(), QFile(clip("a.mp4")).size() * 2);
}

void TestCliJob::aJobRemovesTheFoldersOfEndedRunsOnly()
{
    CliTestDir dir;
    QVERIFY(dir.isValid());
    // The number of a process that has surely ended: one just run and reaped.
    QProcess ended;
    ended.start(QStringLiteral("true"), QStringList());
    QVERIFY(ended.waitForStarted());
    const QByteArray endedPid = QByteArray::number(ended.processId());
    QVERIFY(ended.waitForFinished());
    const QByteArray livePid = QByteArray::number(QCoreApplication::applicationPid());
    const QString defaultTemp = dir.programDir() + "temp/";
    const auto makeJobFolder = [](const QString &folder, const QByteArray &owner) {
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeText(folder + "/0.avi", "temporary"));
        if (!owner.isEmpty())
            QVERIFY(writeText(folder + "/.brelvane-job", owner + "\n"));
    };
    makeJobFolder(dir.tempDir() + "brelvane-job-" + endedPid + "-1", endedPid);
    makeJobFolder(defaultTemp + "brelvane-job-" + endedPid + "-2", endedPid);
    makeJobFolder(dir.tempDir() + "brelvane-job-" + livePid + "-3", livePid);
    makeJobFolder(dir.tempDir() + "brelvane-job-no-marker", QByteArray());
    QVERIFY(writeText(dir.tempDir() + "0.avi", "the user's own"));

    // Without --jobs the count comes from Preferences.ini: one at a time,
    // so no file is ever shown with others running beside it.
    dir.writePreferences(QStringLiteral("Conversions At Once=1\n"));
    QStringList args = joinArgs(dir, {});
    args.erase(args.begin() + args.indexOf("--jobs"), args.begin() + args.indexOf("--jobs") + 2);
    const CliRun run = dir.run(args);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(!run.err.contains(QLatin1String(" more |")), qPrintable(run.err));

    QCOMPARE(dir.leftInTempDir(),
             (QStringList{"0.avi", "brelvane-job-" + livePid + "-3", "brelvane-job-no-marker"}));
    QCOMPARE(contentOf(dir.tempDir() + "0.avi"), QByteArray("the user's own"));
    QVERIFY(QFile::exists(dir.tempDir() + "brelvane-job-no-marker/0.avi"));
    QVERIFY(QDir(defaultTemp).isEmpty());
}

QTEST_GUILESS_MAIN(TestCliJob)
#include "test_clijob.moc"
