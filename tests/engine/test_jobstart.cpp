// Start's checks, and the rules of the output name and the temporaries.
#include "test_jobkit.h"

#include "engine/jobclock.h"
#include "engine/outputname.h"
#include "engine/startcheck.h"
#include "engine/tempfiles.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestJobStart : public QObject {
    Q_OBJECT
private slots:
    void init();
    void oneRowAsksForMoreVideos();
    void badOutputTextIsRefusedWithTheFocusInTheField_data();
    void badOutputTextIsRefusedWithTheFocusInTheField();
    void profileExtensionIsAppendedBeforeTheOtherChecks_data();
    void profileExtensionIsAppendedBeforeTheOtherChecks();
    void existingOutputIsConfirmedOnlyWhenAskMeIsChosen();
    void jobThatWouldTouchAnInputIsRefused_data();
    void jobThatWouldTouchAnInputIsRefused();
    void pathsAreComparedByTheFileTheyName();
    void pathWithADoubleQuoteIsRefused();
    void mp2BitrateMustBeAWholeNumber();
    void renamedOutputTakesTheFirstFreeName();
    void folderToOpenHasNoTrailingSeparator();
    void tempFolderFallsBackToTheProgramDirectory();
    void remainingTimeAssumesAnEvenlyGrowingBar();
};

void TestJobStart::init()
{
    setFakeModes(QStringLiteral("replay"), QString());
}

static bool nothingStarted(const JobKit &kit)
{
    return !kit.view.locked && !kit.job->isActive() && kit.job->jobState() == Job::Idle &&
           !QFileInfo::exists(kit.tempPath(QStringLiteral("0.avi"))) && kit.loggedRuns().isEmpty();
}

void TestJobStart::oneRowAsksForMoreVideos()
{
    JobKit kit;
    QVERIFY(kit.isValid());
    setFakeModes(QStringLiteral("replay"), kit.runLogPath());
    kit.addInput(QStringLiteral("a.avi"), "A");
    kit.start();
    QCOMPARE(kit.messages.shown.size(), 1);
    QCOMPARE(kit.messages.shown[0].kind, ShownMessage::Inform);
    QCOMPARE(kit.messages.shown[0].title, QStringLiteral("Add More Videos"));
    QCOMPARE(kit.messages.shown[0].text,
             QStringLiteral("Please add at least 2 videos to the task for joining."));
    QCOMPARE(kit.view.focus, QString());
    QVERIFY(kit.view.log.isEmpty());
    QCOMPARE(kit.results.size(), 1);
    QCOMPARE(kit.results[0].kind, JobResult::Refused);
    QVERIFY(kit.endings.isEmpty()); // nothing was locked, so nothing ends
    QVERIFY(nothingStarted(kit));
}

void TestJobStart::badOutputTextIsRefusedWithTheFocusInTheField_data()
{
    QTest::addColumn<QString>("output"); // relative to the work folder; "~" stands for it
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    const QString missingTitle = QStringLiteral("Output path does not exist");
    const QString missingText =
        QStringLiteral("The output path does not exist. Please specify another one.");
    QTest::newRow("folder missing") << "~/nowhere/clip.avi" << missingTitle << missingText;
    QTest::newRow("no folder part") << "clip.avi" << missingTitle << missingText;
    QTest::newRow("empty text") << "" << missingTitle << missingText;
    QTest::newRow("no file name") << "~/" << QStringLiteral("Icorrect Filename")
                                  << QStringLiteral("Please specify the output file.");
}

void TestJobStart::badOutputTextIsRefusedWithTheFocusInTheField()
{
    QFETCH(QString, output);
    QFETCH(QString, title);
    QFETCH(QString, text);
    JobKit kit;
    setFakeModes(QStringLiteral("replay"), kit.runLogPath());
    kit.addInput(QStringLiteral("a.avi"), "A");
    kit.addInput(QStringLiteral("b.avi"), "B");
    kit.view.outputText = output.replace(QLatin1Char('~'), kit.workPath(QString()).chopped(1));
    kit.start();
    QCOMPARE(kit.messages.shown.size(), 1);
    QCOMPARE(kit.messages.shown[0].title, title);
    QCOMPARE(kit.messages.shown[0].text, text);
    QCOMPARE(kit.view.focus, QStringLiteral("output"));
    QCOMPARE(kit.view.outputText, output);
    QVERIFY(nothingStarted(kit));
}

void TestJobStart::profileExtensionIsAppendedBeforeTheOtherChecks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no extension") << "clip"
                                  << "clip.avi";
    QTest::newRow("same in upper case") << "clip.AVI"
                                        << "clip.AVI";
    QTest::newRow("another extension") << "clip.mpg"
                                       << "clip.mpg.avi";
    QTest::newRow("point in a folder only") << "v.d/clip"
                                            << "v.d/clip.avi";
}

void TestJobStart::profileExtensionIsAppendedBeforeTheOtherChecks()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    JobKit kit;
    setFakeModes(QStringLiteral("replay"), kit.runLogPath());
    QDir().mkpath(kit.workPath(QStringLiteral("v.d")));
    kit.addInput(QStringLiteral("a.avi"), "A");
    kit.addInput(QStringLiteral("b.avi"), "B");
    // A later check refuses, so the text can be looked at without a job.
    kit.selection.selection.audioCodecText = QStringLiteral("MP2");
    kit.selection.selection.audioBitrate = QStringLiteral("128k");
    kit.view.outputText = kit.workPath(name);
    kit.start();
    QCOMPARE(kit.view.outputText, kit.workPath(expected));
    QCOMPARE(kit.messages.shown.size(), 1);
    QCOMPARE(kit.messages.shown[0].title, QStringLiteral("Audio Bitrate"));
    QVERIFY(nothingStarted(kit));
}

void TestJobStart::existingOutputIsConfirmedOnlyWhenAskMeIsChosen()
{
    const QString question =
        QStringLiteral("The output file is existent. Do you want to continue and overwrite it? "
                       "\n\rClick \"No\" to specify another output filename.");
    JobKit kit;
    setFakeModes(QStringLiteral("replay"), kit.runLogPath());
    kit.addInput(QStringLiteral("a.avi"), "A");
    kit.addInput(QStringLiteral("b.avi"), "B");
    QFile old(kit.view.outputText);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();

    kit.messages.answers = {false};
    kit.start();
    QCOMPARE(kit.messages.shown.size(), 1);
    QCOMPARE(kit.messages.shown[0].kind, ShownMessage::Ask);
    QCOMPARE(kit.messages.shown[0].title, QStringLiteral("File Exists"));
    QCOMPARE(kit.messages.shown[0].text, question);
    QCOMPARE(kit.view.focus, QStringLiteral("output"));
    QVERIFY(nothingStarted(kit));
    QCOMPARE(readAll(kit.view.outputText), QByteArray("old"));

    kit.messages.answers = {true};
    QVERIFY(kit.runToEnd());
    QCOMPARE(kit.messages.shown[1].kind, ShownMessage::Ask);
    QCOMPARE(kit.messages.shown.last().title, QStringLiteral("Complete"));
    QCOMPARE(readAll(kit.view.outputText), QByteArray("AB"));

    // "Overwrite" and the rename choice ask nothing.
    kit.settings.ask = false;
    QVERIFY(kit.runToEnd());
    kit.settings.rename = true;
    QVERIFY(kit.runToEnd());
    for (int i = 2; i < kit.messages.shown.size(); ++i)
        QCOMPARE(kit.messages.shown[i].kind, ShownMessage::Inform);
    QCOMPARE(kit.messages.shown.size(), 5);
    QVERIFY(QFileInfo::exists(kit.workPath(QStringLiteral("joined_1.avi"))));
}

void TestJobStart::jobThatWouldTouchAnInputIsRefused_data()
{
    QTest::addColumn<QString>("case_");
    QTest::addColumn<QString>("title");
    QTest::newRow("output is an input") << "output" << QStringLiteral("Output File");
    QTest::newRow("output is an input by another spelling")
        << "output spelt" << QStringLiteral("Output File");
    QTest::newRow("output is a temporary") << "temporary output" << QStringLiteral("Output File");
    QTest::newRow("a temporary is an input") << "temporary input" << QStringLiteral("Temp Folder");
}

void TestJobStart::jobThatWouldTouchAnInputIsRefused()
{
    QFETCH(QString, case_);
    QFETCH(QString, title);
    JobKit kit;
    setFakeModes(QStringLiteral("replay"), kit.runLogPath());
    const QString a = kit.addInput(QStringLiteral("0.avi"), "A");
    const QString b = kit.addInput(QStringLiteral("b.avi"), "B");
    if (case_ == QLatin1String("output"))
        kit.view.outputText = b;
    else if (case_ == QLatin1String("output spelt"))
        kit.view.outputText = kit.workPath(QStringLiteral("./sub/../b.avi"));
    else if (case_ == QLatin1String("temporary output"))
        kit.view.outputText = kit.tempPath(QStringLiteral("1.avi"));
    else
        kit.settings.temp = kit.workPath(QString());
    QDir().mkpath(kit.workPath(QStringLiteral("sub")));
    QDir().mkpath(kit.tempPath(QString()));
    kit.settings.ask = false;

    kit.start();
    QCOMPARE(kit.messages.shown.size(), 1);
    QCOMPARE(kit.messages.shown[0].title, title);
    QVERIFY(kit.messages.shown[0].text.contains(
        case_ == QLatin1String("temporary input") ? a : kit.view.outputText));
    QCOMPARE(kit.view.focus, title == QLatin1String("Output File") ? QStringLiteral("output")
                                                                   : QStringLiteral("list"));
    QVERIFY(!kit.view.locked);
    QVERIFY(kit.loggedRuns().isEmpty());
    QCOMPARE(readAll(a), QByteArray("A"));
    QCOMPARE(readAll(b), QByteArray("B"));
}

// Among many inputs, each compared by a look-up: an input given as a
// symbolic link, an output or a temporary that names an input through a
// linked folder or "..", are still found; a mere neighbour is not.
void TestJobStart::pathsAreComparedByTheFileTheyName()
{
    QTemporaryDir dir;
    const QString real = dir.filePath(QStringLiteral("real/"));
    const QString linked = dir.filePath(QStringLiteral("linked/"));
    QVERIFY(QDir().mkpath(real + QStringLiteral("sub")));
    QVERIFY(QFile::link(real, dir.filePath(QStringLiteral("linked"))));
    QStringList inputs;
    for (int i = 0; i < 500; ++i)
        inputs << real + QStringLiteral("clip%1.avi").arg(i);
    for (const QString &name : {QStringLiteral("target.avi"), QStringLiteral("7.avi")})
        QVERIFY(QFile(real + name).open(QIODevice::WriteOnly));
    const QString symlinked = dir.filePath(QStringLiteral("symlinked.avi"));
    QVERIFY(QFile::link(real + QStringLiteral("target.avi"), symlinked));
    inputs << symlinked << real + QStringLiteral("7.avi");
    const QStringList temp{dir.filePath(QStringLiteral("temp/"))};

    const auto refusal = [&](const QString &output, const QStringList &tempFolders) {
        const std::optional<StartRefusal> found = CheckJobPaths(inputs, output, tempFolders);
        return found ? found->title + QLatin1Char(' ') + found->text : QString();
    };
    QVERIFY(refusal(real + QStringLiteral("target.avi"), temp)
                .startsWith(QStringLiteral("Output File")));
    QVERIFY(refusal(linked + QStringLiteral("clip321.avi"), temp)
                .startsWith(QStringLiteral("Output File")));
    QVERIFY(refusal(real + QStringLiteral("sub/../clip5.avi"), temp)
                .startsWith(QStringLiteral("Output File")));
    QCOMPARE(refusal(dir.filePath(QStringLiteral("out.avi")), {linked}),
             QStringLiteral("Temp Folder The temporary file \"%1\" would overwrite the video "
                            "\"%2\". Please choose another temp folder in the Settings.")
                 .arg(linked + QStringLiteral("7.avi"), real + QStringLiteral("7.avi")));
    QCOMPARE(refusal(linked + QStringLiteral("clip500.avi"), temp), QString());
}

void TestJobStart::pathWithADoubleQuoteIsRefused()
{
    JobKit kit;
    setFakeModes(QStringLiteral("replay"), kit.runLogPath());
    kit.addInput(QStringLiteral("a.avi"), "A");
    kit.addInput(QStringLiteral("b\" -o \"c.avi"), "B");
    kit.start();
    QCOMPARE(kit.messages.shown.size(), 1);
    QCOMPARE(kit.messages.shown[0].title, QStringLiteral("Invalid Path"));
    QVERIFY(nothingStarted(kit));
}

void TestJobStart::mp2BitrateMustBeAWholeNumber()
{
    WorkingSelection selection;
    selection.audioCodecText = QStringLiteral("MP2");
    for (const char *text : {"", "12.5", "192 ", "abc", "99999999999"}) {
        selection.audioBitrate = QString::fromLatin1(text);
        QVERIFY2(CheckAudioBitrate(selection).has_value(), text);
    }
    for (const char *text : {"192", "+64", "0"}) {
        selection.audioBitrate = QString::fromLatin1(text);
        QVERIFY2(!CheckAudioBitrate(selection).has_value(), text);
    }
    // Only the caption "MP2" is limited, so only it needs a number.
    selection.audioCodecText = QStringLiteral("mp2");
    selection.audioBitrate = QStringLiteral("abc");
    QVERIFY(!CheckAudioBitrate(selection).has_value());
}

void TestJobStart::renamedOutputTakesTheFirstFreeName()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    auto touch = [&](const QString &name) {
        QFile file(folder + name);
        return file.open(QIODevice::WriteOnly);
    };
    QVERIFY(touch(QStringLiteral("clip.avi")));
    QCOMPARE(FirstFreeRenamedPath(folder + "clip.avi", ".avi"), folder + "clip_1.avi");
    QVERIFY(touch(QStringLiteral("clip_1.avi")));
    QCOMPARE(FirstFreeRenamedPath(folder + "clip.avi", ".avi"), folder + "clip_2.avi");
    // The name loses its last extension only, and takes the profile's.
    QCOMPARE(FirstFreeRenamedPath(folder + "my.clip.AVI", ".avi"), folder + "my.clip_1.avi");
    QCOMPARE(FirstFreeRenamedPath(folder + "clip", ".mpg"), folder + "clip_1.mpg");
    // A dangling link is no free name.
    QVERIFY(QFile::link(folder + "gone", folder + "x_1.avi"));
    QCOMPARE(FirstFreeRenamedPath(folder + "x.avi", ".avi"), folder + "x_2.avi");
}

void TestJobStart::folderToOpenHasNoTrailingSeparator()
{
    QCOMPARE(OutputFolderToOpen(QStringLiteral("/home/v/clip.avi")), QStringLiteral("/home/v"));
    QCOMPARE(OutputFolderToOpen(QStringLiteral("/a.avi")), QStringLiteral("/"));
}

void TestJobStart::tempFolderFallsBackToTheProgramDirectory()
{
    QTemporaryDir program;
    const QString programDir = program.path() + QLatin1Char('/');
    const QString fallback = programDir + QStringLiteral("temp/");

    TempFolderChoice choice = ChooseTempFolder(QString(), programDir);
    QCOMPARE(choice.folder, fallback);
    QVERIFY(QFileInfo(fallback).isDir());

    const QString custom = program.path() + QStringLiteral("/mine");
    QCOMPARE(ChooseTempFolder(custom, programDir).folder, custom + QLatin1Char('/'));
    QVERIFY(QFileInfo(custom).isDir());

    // Only one level is created.
    const QString deep = program.path() + QStringLiteral("/no/such/");
    QCOMPARE(ChooseTempFolder(deep, programDir).folder, fallback);
    QVERIFY(!QFileInfo::exists(program.path() + QStringLiteral("/no")));

    QVERIFY(QDir(fallback).removeRecursively());
    QFile blocker(program.path() + QStringLiteral("/temp"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    choice = ChooseTempFolder(deep, programDir);
    QVERIFY(!choice.succeeded());
    QCOMPARE(choice.failedFolders, QStringList({deep, fallback}));
}

void TestJobStart::remainingTimeAssumesAnEvenlyGrowingBar()
{
    QCOMPARE(EstimateRemainingSeconds(30, 25, 0), 90);
    QCOMPARE(EstimateRemainingSeconds(30, 0, 17), 17);
    QCOMPARE(EstimateRemainingSeconds(30, 100, 17), 0);
    // Halves go to the even neighbour: 2.5 - 1 = 1.5, 7.5 - 3 = 4.5.
    QCOMPARE(EstimateRemainingSeconds(1, 40, 0), 2);
    QCOMPARE(EstimateRemainingSeconds(3, 40, 0), 4);
}

QTEST_GUILESS_MAIN(TestJobStart)
#include "test_jobstart.moc"
