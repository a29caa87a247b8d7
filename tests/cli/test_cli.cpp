// brelvane-cli before and around a job: its arguments, the intake of its
// inputs, the defaults it takes from the program directory, and --dry-run.
#include "clitestdir.h"

#include "engine/commandline.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void badArgumentsExitWith2_data();
    void badArgumentsExitWith2();
    void helpVersionAndProfiles();
    void refusalsExitWith3BeforeAnyEncoderRun_data();
    void refusalsExitWith3BeforeAnyEncoderRun();
    void listFilesAndFoldersAreTakenInOrder_data();
    void listFilesAndFoldersAreTakenInOrder();
    void defaultsComeFromThePreferences();
    void dryRunPrintsTheCommandLinesTheJobRuns();

private:
    QString clip(const QString &name) const { return m_clips.path() + QLatin1Char('/') + name; }
    QStringList expanded(QStringList args, const CliTestDir &dir) const;

    QTemporaryDir m_clips;
};

static bool writeText(const QString &path, const QByteArray &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// The inputs of the conversion runs, in order, from --dry-run output.
static QStringList convertedInputs(const QString &dryRunOutput)
{
    QStringList lines = dryRunOutput.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (!lines.isEmpty())
        lines.removeLast(); // the joining
    QStringList inputs;
    for (const QString &line : qAsConst(lines))
        inputs << SplitCommandLine(line).value(1);
    return inputs;
}

void TestCli::initTestCase()
{
    QVERIFY(m_clips.isValid());
    QVERIFY(QDir().mkpath(clip("dash/sub.mp4")));
    QVERIFY(MakeShortClips({clip("a.mp4"), clip("b.mp4"), clip("c.mp4"), clip("dash/clip1.mp4"),
                            clip("dash/clip10.mp4"), clip("dash/clip2.mp4"), clip("dash/Clip3.MP4"),
                            clip("dash/sub.mp4/inner.mp4"), clip("d.avi")}));
    QVERIFY(writeText(clip("dash/readme.txt"), "not a video\n"));
    QVERIFY(writeText(clip("notes.txt"), "not a video\n"));
    QVERIFY(writeText(clip("broken.mp4"), "no video in here\n"));
    QVERIFY(writeText(clip("exists.avi"), "an earlier output\n"));
    QVERIFY(writeText(clip("afile"), "a file where a folder is wanted\n"));
    QVERIFY(QDir().mkpath(clip("empty")));
    QVERIFY(
        writeText(clip("badlist.txt"), (clip("a.mp4") + "\n" + clip("gone.mp4") + "\n").toUtf8()));
}

// {a}, {b}, {c} name the shared clips, {clips} their folder, {work} and
// {temp} the test directory's folders.
QStringList TestCli::expanded(QStringList args, const CliTestDir &dir) const
{
    for (QString &arg : args) {
        arg.replace(QStringLiteral("{a}"), clip("a.mp4"))
            .replace(QStringLiteral("{b}"), clip("b.mp4"))
            .replace(QStringLiteral("{c}"), clip("c.mp4"))
            .replace(QStringLiteral("{clips}"), clip(QString()))
            .replace(QStringLiteral("{work}"), dir.workPath(QString()))
            .replace(QStringLiteral("{temp}"), dir.tempDir());
    }
    return args;
}

void TestCli::badArgumentsExitWith2_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("complaint");
    QTest::newRow("nothing") << QStringList() << "no command given";
    QTest::newRow("unknown command") << QStringList{"merge", "{a}"} << "unknown command \"merge\"";
    QTest::newRow("unknown option")
        << QStringList{"join", "--fast", "{a}", "{b}"} << "unknown option \"--fast\"";
    QTest::newRow("option without its value")
        << QStringList{"join", "{a}", "{b}", "--output"} << "--output needs a value";
    QTest::newRow("value to a flag")
        << QStringList{"join", "--quiet=yes", "{a}", "{b}"} << "--quiet takes no value";
    QTest::newRow("unknown order")
        << QStringList{"join", "--sort=date", "{a}", "{b}"} << "--sort takes name, natural or none";
    QTest::newRow("two policies") << QStringList{"join", "--rename", "--overwrite", "{a}", "{b}"}
                                  << "exclude each other";
    QTest::newRow("no input") << QStringList{"join", "--output", "{work}out.avi"}
                              << "join needs the videos to join";
    QTest::newRow("unknown profile")
        << QStringList{"join", "--profile", "AVI", "{a}", "{b}"} << "no profile \"AVI\"";
    QTest::newRow("unknown loudness") << QStringList{"join", "--loudness", "loud", "{a}", "{b}"}
                                      << "--loudness takes recorded or even";
    QTest::newRow("a copy cannot even out the sound")
        << QStringList{"join",       "--profile", "Same as the inputs (no re-encoding)",
                       "--loudness", "even",      "{a}",
                       "{b}"}
        << "the profile \"Same as the inputs (no re-encoding)\" offers no Loudness choice";
    QTest::newRow("version with more")
        << QStringList{"--version", "x"} << "--version takes no further arguments";
}

void TestCli::badArgumentsExitWith2()
{
    QFETCH(QStringList, args);
    QFETCH(QString, complaint);
    CliTestDir dir;
    QVERIFY(dir.isValid());
    const CliRun run = dir.run(expanded(args, dir));
    QVERIFY(run.exitedNormally);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(complaint), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
    QVERIFY(dir.encoderRuns().isEmpty());
}

void TestCli::helpVersionAndProfiles()
{
    CliTestDir dir;
    QVERIFY(dir.isValid());
    const CliRun help = dir.run({"--help"});
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.startsWith(QLatin1String("Usage:")));
    QVERIFY(help.out.contains(QLatin1String("--dry-run")));

    QCOMPARE(dir.run({"--version"}).out, QStringLiteral("Brelvane 1.5\n"));
    dir.writePreferences(QStringLiteral("Version=2.1 beta\n"));
    QCOMPARE(dir.run({"--version"}).out, QStringLiteral("Brelvane 2.1 beta\n"));

    // The window's catalogue, one name a line.
    const QString profiles = dir.programDir() + QStringLiteral("Profiles/");
    QVERIFY(QDir(profiles).removeRecursively() && QDir().mkpath(profiles));
    for (const char *name : {"zeta.bpf", "Alpha.bpf", "notes.txt"})
        QVERIFY(writeText(profiles + name, "[Main]\nType=avi\n"));
    const CliRun list = dir.run({"--list-profiles"});
    QCOMPARE(list.exitCode, 0);
    QCOMPARE(list.out, QStringLiteral("Alpha\nzeta\n"));
}

void TestCli::refusalsExitWith3BeforeAnyEncoderRun_data()
{
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("complaint");
    const QStringList standard{"--output", "{work}out.avi"};
    QTest::newRow("missing file") << QStringList{"{a}", "{clips}gone.mp4"} << standard
                                  << "no such file or folder";
    QTest::newRow("type not taken")
        << QStringList{"{a}", "{clips}notes.txt"} << standard << "is not of a video type";
    QTest::newRow("unreadable list file")
        << QStringList{"{a}", "@{clips}nolist.txt"} << standard << "could not be read";
    QTest::newRow("missing entry of a list")
        << QStringList{"{b}", "@{clips}badlist.txt"} << standard << "gone.mp4";
    QTest::newRow("no play time") << QStringList{"{a}", "{b}", "{clips}broken.mp4"} << standard
                                  << "Not Added: The play time of this file could not be read";
    QTest::newRow("duplicate, no terminal to ask on")
        << QStringList{"{a}", "{b}", "{a}"} << standard << "Already Listed";
    QTest::newRow("one video") << QStringList{"{a}", "{clips}empty"} << standard
                               << "Add More Videos";
    QTest::newRow("no output folder")
        << QStringList{"{a}", "{b}"} << QStringList{"--output", "{clips}nowhere/out.avi"}
        << "Output path does not exist";
    QTest::newRow("no output name")
        << QStringList{"{a}", "{b}"} << QStringList{"--output", "{work}"} << "Icorrect Filename";
    QTest::newRow("existing output, no terminal to ask on")
        << QStringList{"{a}", "{b}"} << QStringList{"--ask", "--output", "{clips}exists.avi"}
        << "File Exists";
    QTest::newRow("output is an input")
        << QStringList{"{a}", "{clips}d.avi"}
        << QStringList{"--overwrite", "--output", "{clips}d.avi"} << "is one of the videos to join";
}

void TestCli::refusalsExitWith3BeforeAnyEncoderRun()
{
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, options);
    QFETCH(QString, complaint);
    CliTestDir dir;
    QVERIFY(dir.isValid());
    for (const bool dryRun : {true, false}) {
        QStringList args =
            QStringList{"join", "--profile", "AVI - MPEG-4 and MP3", "--temp-dir", "{temp}"} +
            options + inputs;
        if (dryRun)
            args << "--dry-run";
        const CliRun run = dir.run(expanded(args, dir));
        QVERIFY(run.exitedNormally);
        QCOMPARE(run.exitCode, 3);
        QVERIFY2(run.err.contains(complaint), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }
    QVERIFY(dir.encoderRuns().isEmpty());
    QVERIFY(dir.leftInTempDir().isEmpty());
    QCOMPARE(QFile(clip("exists.avi")).size(), qint64(18));
}

void TestCli::listFilesAndFoldersAreTakenInOrder_data()
{
    QTest::addColumn<QString>("order");
    QTest::addColumn<QStringList>("expected");
    const QStringList dash{"{clips}dash/clip1.mp4", "{clips}dash/clip10.mp4",
                           "{clips}dash/clip2.mp4", "{clips}dash/Clip3.MP4"};
    // As given: the list file's lines, a folder as "Add Dir" adds it (by
    // name, no subfolder, no other type), then the other arguments.
    QTest::newRow("as given") << "none"
                              << QStringList{"{c}"} + dash +
                                     QStringList{"{a}", "{work}rel.mp4", "{b}"};
    QTest::newRow("by name") << "name" << QStringList{"{a}", "{b}", "{c}"} + dash;
    QTest::newRow("natural") << "natural"
                             << QStringList{"{a}",
                                            "{b}",
                                            "{c}",
                                            "{clips}dash/clip1.mp4",
                                            "{clips}dash/clip2.mp4",
                                            "{clips}dash/Clip3.MP4",
                                            "{clips}dash/clip10.mp4"};
}

void TestCli::listFilesAndFoldersAreTakenInOrder()
{
    QFETCH(QString, order);
    QFETCH(QStringList, expected);
    CliTestDir dir;
    QVERIFY(dir.isValid());
    // Windows line ends, blank lines and (when the order is kept: the two
    // temporary folders sort either way) a relative entry, taken from the
    // working folder as the window takes it.
    QVERIFY(QFile::copy(clip("a.mp4"), dir.workPath("rel.mp4")));
    QString lines = clip("c.mp4") + "\r\n\r\n" + clip("dash") + "\r\n   \r\n" + clip("a.mp4");
    if (order == QLatin1String("none"))
        lines += QStringLiteral("\r\nrel.mp4\r\n");
    const QByteArray list = lines.toUtf8();
    QVERIFY(writeText(dir.workPath("inputs.txt"), list));

    const CliRun run =
        dir.run(expanded({"join", "--dry-run", "--profile", "AVI - MPEG-4 and MP3", "--sort", order,
                          "--output", "{work}out", "--temp-dir", "{temp}", "@inputs.txt", "{b}"},
                         dir));
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(convertedInputs(run.out), expanded(expected, dir));
    QVERIFY(dir.encoderRuns().isEmpty());
}

// A job's own folder and its partial output are named when it runs.
static QString withSameJobNames(QString text)
{
    text.replace(QRegularExpression(QStringLiteral("brelvane-job-[^/]+/")),
                 QStringLiteral("brelvane-job-X/"));
    return text.replace(QRegularExpression(QStringLiteral("\\.partial-\\d+")),
                        QStringLiteral(".partial-N"));
}

void TestCli::defaultsComeFromThePreferences()
{
    CliTestDir dir;
    QVERIFY(dir.isValid());
    const QStringList inputs{clip("a.mp4"), clip("b.mp4")};
    // The remembered profile (its name, wherever it now stands in the
    // catalogue), output file and temporary folder; "Rename" wins over "Ask".
    dir.writePreferences(QStringLiteral("Profile=4\nProfile Name=MP4 - MPEG-4 and MP3\n"
                                        "Output File=%1movie\nTemp Dir=%2\n"
                                        "Ask=1\nRename=1\n")
                             .arg(dir.workPath(QString()), dir.tempDir() + "prefs"));
    const CliRun remembered = dir.run(QStringList{"join", "--dry-run"} + inputs);
    QCOMPARE(remembered.exitCode, 0);
    const QStringList lines = remembered.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    const QString temporary = SplitCommandLine(lines[0]).value(3);
    QVERIFY2(temporary.startsWith(dir.tempDir() + "prefs/brelvane-job-") &&
                 temporary.endsWith(QLatin1String("/0.avi")),
             qPrintable(temporary));
    // The join writes a hidden partial file beside the output.
    QVERIFY2(QRegularExpression(QStringLiteral("-o \"%1\\.movie\\.partial-\\d+\\.mp4\"$")
                                    .arg(QRegularExpression::escape(dir.workPath(QString()))))
                 .match(lines[2])
                 .hasMatch(),
             qPrintable(lines[2]));

    const CliRun named =
        dir.run(QStringList{"join", "--dry-run", "--profile", "MP4 - MPEG-4 and MP3"} + inputs);
    QCOMPARE(withSameJobNames(named.out), withSameJobNames(remembered.out));

    // The rename policy of the preferences, seen in the joining target.
    QVERIFY(writeText(dir.workPath("movie.mp4"), "earlier\n"));
    const CliRun renamed = dir.run(QStringList{"join", "--dry-run"} + inputs);
    QVERIFY2(renamed.out.contains(
                 QRegularExpression(QStringLiteral("\\.movie_1\\.partial-\\d+\\.mp4\"\n$"))),
             qPrintable(renamed.out));

    // A remembered position outside the list selects no profile: the
    // boxes are empty, and an empty video bitrate is no value the encoder
    // can be given, so Start refuses before anything is planned.
    dir.writePreferences(
        QStringLiteral("Profile=99\nOutput File=%1movie\n").arg(dir.workPath(QString())));
    const CliRun none = dir.run(QStringList{"join", "--dry-run"} + inputs);
    QCOMPARE(none.exitCode, 3);
    QVERIFY(none.out.isEmpty());
    QVERIFY2(
        none.err.contains(QStringLiteral("No profile is loaded, and \"\" for \"Video Bitrate\"")),
        qPrintable(none.err));
}

void TestCli::dryRunPrintsTheCommandLinesTheJobRuns()
{
    CliTestDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(writeText(dir.workPath("out.avi"), "earlier\n"));
    const QStringList args{"join",        "--rename",    "--profile",  "AVI - MPEG-4 and MP3",
                           "--output",    "out",         "--temp-dir", dir.tempDir(),
                           clip("c.mp4"), clip("a.mp4"), clip("b.mp4")};
    const CliRun dry = dir.run(args + QStringList{"--dry-run"});
    QCOMPARE(dry.exitCode, 0);
    QVERIFY(dir.encoderRuns().isEmpty());
    QVERIFY(dir.leftInTempDir().isEmpty());

    const CliRun real = dir.run(args);
    QCOMPARE(real.exitCode, 0);
    const QStringList lines = dry.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QList<QStringList> runs = dir.encoderRuns();
    QCOMPARE(lines.size(), runs.size());
    // The same runs, but for the names only a running job can pick: its own
    // folder and its partial output. Conversions may start in any order.
    const auto sameNames = withSameJobNames;
    QStringList printed;
    QStringList ran;
    for (int i = 0; i < runs.size(); ++i) {
        printed << sameNames(SplitCommandLine(lines[i]).join(QLatin1Char('|')));
        ran << sameNames((QStringList{dir.programDir() + "asapi.dll"} + runs[i]).join('|'));
    }
    QCOMPARE(printed.last(), ran.last());
    printed.sort();
    ran.sort();
    QCOMPARE(printed, ran);
    QCOMPARE(real.out, dir.workPath("out_1.avi\n"));
}

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
