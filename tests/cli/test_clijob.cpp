// brelvane-cli running jobs with the fake encoder: the overwrite policies,
// the exit codes of failures, Ctrl+C, what it prints, and the leftovers of
// earlier runs.
#include "clitestdir.h"

#include "tasklist/mediaprobe.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
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
    void aFileThatAppearsAtTheOutputIsKept_data();
    void aFileThatAppearsAtTheOutputIsKept();
    void twoRenamingJobsAtOnceTakeTwoNames();
    void startRefusesEarly();

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

// Whether the file is a video as long as the two clips of the job together:
// the fake encoder joins real inputs for real.
static bool playsAsTheTwoClips(const QString &path, const QString &clip)
{
    const ProbeResult joined = ProbeMediaFile(path);
    const ProbeResult one = ProbeMediaFile(clip);
    return joined.hasVideo && one.hasPlayTime && qAbs(joined.seconds - 2 * one.seconds) < 0.5;
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
    QVERIFY(playsAsTheTwoClips(dir.workPath(written), clip("a.mp4")));
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
    // The preferences' folder: one given by --temp-dir must exist already.
    dir.writePreferences("Temp Dir=" + dir.workPath("blocker/temp") + "\n");
    QStringList args = joinArgs(dir, {});
    args.erase(args.begin() + 3, args.begin() + 5);
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
    QVERIFY(playsAsTheTwoClips(dir.workPath("out.avi"), clip("a.mp4")));
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
    // Partial outputs beside the output: only those of ended runs go.
    const QStringList leftovers{".out.partial-" + endedPid + ".avi", ".clip.partial-" + endedPid};
    const QStringList others{".out.partial-" + livePid + ".avi", "out.partial-" + endedPid + ".avi",
                             ".out.partial-" + endedPid + ".avi.bak"};
    for (const QString &name : leftovers + others)
        QVERIFY(writeText(dir.workPath(name), "partial"));
    QVERIFY(QDir().mkpath(dir.workPath(".dir.partial-" + endedPid + ".avi")));

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
    for (const QString &name : leftovers)
        QVERIFY2(!QFileInfo::exists(dir.workPath(name)), qPrintable(name));
    for (const QString &name : others)
        QCOMPARE(contentOf(dir.workPath(name)), QByteArray("partial"));
    QVERIFY(QFileInfo(dir.workPath(".dir.partial-" + endedPid + ".avi")).isDir());
}

void TestCliJob::aFileThatAppearsAtTheOutputIsKept_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("fileAtStart");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("notice");
    QTest::newRow("--rename") << QStringList{"--rename"} << false << 0 << QString();
    QTest::newRow("--overwrite, nothing there at Start")
        << QStringList{"--overwrite"} << false << 0 << "File Exists: The file";
    QTest::newRow("--overwrite, the file of Start replaced during the job")
        << QStringList{"--overwrite"} << true << 0 << "File Exists: The file";
    // Nobody to ask: the result is kept aside, and the job counts as refused.
    QTest::newRow("--ask") << QStringList{"--ask"} << false << 3 << "Nobody could be asked";
}

void TestCliJob::aFileThatAppearsAtTheOutputIsKept()
{
    QFETCH(QStringList, options);
    QFETCH(bool, fileAtStart);
    QFETCH(int, exitCode);
    QFETCH(QString, notice);
    CliTestDir dir;
    QVERIFY(dir.isValid());
    if (fileAtStart)
        QVERIFY(writeText(dir.workPath("out.avi"), "earlier\n"));
    // The join run puts a new file at the output path before it writes.
    const CliRun run =
        dir.run(joinArgs(dir, options), {{"FAKE_ENCODER_MODE", "replay,replay,appear"},
                                         {"FAKE_ENCODER_APPEAR", dir.workPath("out.avi")}});
    QVERIFY2(run.exitCode == exitCode, qPrintable(run.err));
    QCOMPARE(contentOf(dir.workPath("out.avi")), QByteArray("appeared\n"));
    const QString result = dir.workPath("out_1.avi");
    QVERIFY(playsAsTheTwoClips(result, clip("a.mp4")));
    QCOMPARE(run.out, exitCode == 0 ? result + "\n" : QString());
    QVERIFY2(run.err.contains(notice), qPrintable(run.err));
    if (!notice.isEmpty())
        QVERIFY2(run.err.contains(result), qPrintable(run.err));
}

void TestCliJob::twoRenamingJobsAtOnceTakeTwoNames()
{
    CliTestDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(writeText(dir.workPath("out.avi"), "earlier\n"));
    const QString meet = dir.workPath("meet");
    QVERIFY(QDir().mkpath(meet));
    // Both joins are running before either ends.
    std::unique_ptr<QProcess> jobs[2];
    for (int i = 0; i < 2; ++i) {
        jobs[i] = dir.start(joinArgs(dir, {"--rename"}),
                            {{"FAKE_ENCODER_MODE", "replay,replay,meet"},
                             {"FAKE_ENCODER_MEET", meet},
                             {"FAKE_ENCODER_LOG", dir.workPath("log") + QString::number(i)}});
    }
    QStringList written;
    for (auto &job : jobs) {
        const CliRun run = CliTestDir::finish(*job);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        written << run.out.trimmed();
    }
    written.sort();
    QCOMPARE(written, (QStringList{dir.workPath("out_1.avi"), dir.workPath("out_2.avi")}));
    for (const QString &path : written)
        QVERIFY(playsAsTheTwoClips(path, clip("a.mp4")));
    QCOMPARE(contentOf(dir.workPath("out.avi")), QByteArray("earlier\n"));
}

// What Start can tell before any work is refused then, with its reason.
void TestCliJob::startRefusesEarly()
{
    CliTestDir dir;
    QVERIFY(dir.isValid());
    const auto withOption = [&dir, this](const QString &option, const QString &value) {
        QStringList args = joinArgs(dir, {});
        args[args.indexOf(option) + 1] = value;
        return args;
    };
    const QString newlineFolder = dir.workPath("te\nmp/");
    QVERIFY(QDir().mkpath(newlineFolder));
    QVERIFY(QDir().mkpath(dir.workPath("folder.avi")));
    QVERIFY(QDir().mkpath(dir.workPath("x.mp4")));
    QVERIFY(QFile::copy(clip("a.mp4"), dir.workPath("x.mp4/inside.mp4")));
    QVERIFY(writeText(dir.workPath("afile"), "x"));
    // A name that is not valid UTF-8 in a folder input: "café" in Latin-1.
    QVERIFY(QDir().mkpath(dir.workPath("videos")));
    QVERIFY(QFile::copy(clip("a.mp4"), dir.workPath("videos/ok.mp4")));
    const QByteArray latin1 = QFile::encodeName(dir.workPath("videos/")) + "caf\xe9.mp4";
    const int fd = ::open(latin1.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    QVERIFY(fd >= 0);
    ::close(fd);
    // QTemporaryDir cannot remove a name it cannot spell.
    const auto unlinkLatin1 = qScopeGuard([&latin1] { ::unlink(latin1.constData()); });

    struct Case {
        const char *name;
        QStringList args;
        int exitCode;
        QString reason;
    };
    const QString tooLong = dir.workPath(QString(300, QLatin1Char('n')) + ".avi");
    const QList<Case> cases{
        {"newline in the temp folder", withOption("--temp-dir", newlineFolder), 3,
         "holds a control character"},
        {"newline in the output", withOption("--output", dir.workPath("o\nut.avi")), 3,
         "holds a control character"},
        {"output folder that takes no file", withOption("--output", "/proc/out.avi"), 3,
         "cannot be written"},
        {"output that is a folder", withOption("--output", dir.workPath("folder.avi")), 3,
         "is a folder"},
        {"output name too long", withOption("--output", tooLong), 3, "is too long"},
        {"missing --temp-dir", withOption("--temp-dir", dir.workPath("missing")), 2,
         "does not exist"},
        {"--temp-dir naming a file", withOption("--temp-dir", dir.workPath("afile")), 2,
         "is not a folder"},
        {"folder input named like a video", joinArgs(dir, {dir.workPath("x.mp4")}), 3,
         "is a folder, not a video file"},
        {"folder input holding a name that is not UTF-8", joinArgs(dir, {dir.workPath("videos")}),
         3, "videos/caf\\xE9.mp4"},
    };
    for (const Case &refused : cases) {
        const CliRun run = dir.run(refused.args);
        QVERIFY2(run.exitCode == refused.exitCode && run.err.contains(refused.reason),
                 qPrintable(QString::fromLatin1(refused.name) + ": " + run.err));
        QVERIFY2(dir.encoderRuns().isEmpty(), refused.name);
    }

    // The same name given on the command line itself, as a shell passes it.
    QProcess shell;
    shell.setWorkingDirectory(dir.workPath(QString()));
    shell.start("/bin/sh", QStringList{"-c", "exec \"$0\" \"$@\" videos/caf*.mp4",
                                       dir.programDir() + "brelvane-cli"} +
                               joinArgs(dir, {}));
    QVERIFY(shell.waitForFinished(60000));
    const QString err = QString::fromLocal8Bit(shell.readAllStandardError());
    QCOMPARE(shell.exitCode(), 3);
    QVERIFY2(err.contains("videos/caf\\xE9.mp4\" is not valid UTF-8"), qPrintable(err));

    // A name that fits the folder, but not with the partial file's pattern
    // around it: the partial name is shortened, and the job runs.
    const QString longest = dir.workPath(QString(251, QLatin1Char('n')) + ".avi");
    const CliRun joined = dir.run(withOption("--output", longest));
    QVERIFY2(joined.exitCode == 0, qPrintable(joined.err));
    QVERIFY(playsAsTheTwoClips(longest, clip("a.mp4")));
}

QTEST_GUILESS_MAIN(TestCliJob)
#include "test_clijob.moc"
