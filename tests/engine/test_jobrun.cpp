// Whole jobs with the fake encoder: statuses, stops, failures and the end.
#include "test_jobkit.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>

class TestJobRun : public QObject {
    Q_OBJECT
private slots:
    void rowsPassThroughEveryStatusInOrder();
    void conversionsSideBySideShareTheLabel();
    void positionTextGoesOnFromTheRunBefore();
    void stopDuringTheSecondRowDeletesOnlyTheJobsTemporaries();
    void stopDuringJoiningLeavesTheEarlierOutputUntouched();
    void completionActionsTakeTurnsByPrecedence_data();
    void completionActionsTakeTurnsByPrecedence();
    void renamePolicyNeverOverwrites();
    void aFileThatAppearsIsAskedAbout_data();
    void aFileThatAppearsIsAskedAbout();
    void inputTheEncoderFailsOnStopsTheJob_data();
    void inputTheEncoderFailsOnStopsTheJob();
    void failedJoiningRunsNoAfterCompletionAction_data();
    void failedJoiningRunsNoAfterCompletionAction();
    void missingEncoderEndsTheJobAtOnce();
    void tempFolderThatCannotBeMadeFallsBackOrIsTold();
    void timerShowsElapsedAndRemainingTime();
    void jobDestroyedMidRunLeavesNoTemporaries();
};

// No temporary and no job folder is left in the temp folder.
static bool noTemporaries(const JobKit &kit)
{
    const QDir temp(kit.programDir() + QStringLiteral("temp"));
    return temp.entryList({QStringLiteral("*.avi")}, QDir::Files).isEmpty() &&
           temp.entryList({QStringLiteral("brelvane-job-*")}, QDir::Dirs).isEmpty();
}

// The temporary of a row in a job's own folder in the default temp folder.
static bool isJobTemporary(const JobKit &kit, const QString &path, int row)
{
    const QRegularExpression pattern(QStringLiteral("^%1temp/brelvane-job-[^/]+/%2\\.avi$")
                                         .arg(QRegularExpression::escape(kit.programDir()))
                                         .arg(row));
    return pattern.match(path).hasMatch();
}

// Three inputs a.avi, b.avi and c.avi holding "A", "B" and "C".
static void addThreeInputs(JobKit &kit)
{
    kit.addInput(QStringLiteral("a.avi"), "A");
    kit.addInput(QStringLiteral("b.avi"), "B");
    kit.addInput(QStringLiteral("c.avi"), "C");
}

void TestJobRun::rowsPassThroughEveryStatusInOrder()
{
    JobKit kit;
    QVERIFY(kit.isValid());
    kit.settings.atOnce = 1;
    setFakeModes(QStringLiteral("replay"), kit.runLogPath());
    addThreeInputs(kit);
    QSignalSpy ended(kit.presenter.get(), &JobPresenter::ended);
    kit.start();
    // Start returns at once; the job goes on from the event loop.
    QVERIFY(kit.job->isActive());
    QVERIFY(kit.view.locked);
    QCOMPARE(kit.job->jobState(), Job::Running);
    QCOMPARE(kit.view.processTitle, QStringLiteral("Prepare (Converting):"));
    QVERIFY(ended.wait(60000));
    QCOMPARE(ended.at(0).at(0).toBool(), true);

    QStringList statusLog;
    for (const QString &entry : std::as_const(kit.view.log)) {
        if (entry.startsWith(QLatin1String("status")))
            statusLog << entry;
    }
    QCOMPARE(statusLog, QStringList({
                            "status 0 Converting",
                            "status 0 Waiting for joining",
                            "status 1 Converting",
                            "status 1 Waiting for joining",
                            "status 2 Converting",
                            "status 2 Waiting for joining",
                            "status 0 Joining",
                            "status 1 Joining",
                            "status 2 Joining",
                            "status 0 Complete",
                            "status 1 Complete",
                            "status 2 Complete",
                        }));
    // However the last tick of the clock guessed, nothing remains at the end.
    QCOMPARE(kit.view.remainingText, QStringLiteral("00:00:00"));

    // The current bar starts again for rows 1 and 2, not for the joining.
    const auto resetBefore = [&](const QString &status) {
        const int at = kit.view.log.indexOf(status);
        for (int i = at - 1; i >= 0; --i) {
            if (kit.view.log[i].startsWith(QLatin1String("current")))
                return kit.view.log[i] == QLatin1String("current 0%");
        }
        return false;
    };
    QVERIFY(resetBefore(QStringLiteral("status 1 Converting")));
    QVERIFY(resetBefore(QStringLiteral("status 2 Converting")));
    QVERIFY(!resetBefore(QStringLiteral("status 0 Joining")));

    // Each row into its own temporary, then all of them into the output.
    const QList<QStringList> runs = kit.loggedRuns();
    QCOMPARE(runs.size(), 4);
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(runs[row].mid(0, 2), QStringList({kit.tasks.caption(row), "-o"}));
        QVERIFY2(isJobTemporary(kit, runs[row].at(2), row), qPrintable(runs[row].at(2)));
        QCOMPARE(runs[3].at(runs[3].size() - 5 + row), runs[row].at(2));
    }
    QCOMPARE(runs[3].mid(0, 2), QStringList({"-ovc", "copy"}));
    // The join writes a hidden file beside the output, moved onto it at the end.
    const QString partial = runs[3].last();
    QVERIFY2(partial.startsWith(kit.workPath(QStringLiteral(".joined.partial-"))) &&
                 partial.endsWith(QLatin1String(".avi")),
             qPrintable(partial));
    QVERIFY(!QFileInfo::exists(partial));
    QCOMPARE(readAll(kit.view.outputText), QByteArray("ABC"));

    QCOMPARE(kit.view.current, 100);
    QCOMPARE(kit.view.currentLabel, QStringLiteral("100%"));
    QCOMPARE(kit.view.totalLabel, QStringLiteral("100%"));
    QCOMPARE(kit.view.processTitle, QStringLiteral("Final Step: Joining all files..."));
    QVERIFY(!kit.view.convertingFileVisible);
    QVERIFY(!kit.view.progressPanelShown);
    QVERIFY(!kit.view.locked);
    QVERIFY(!kit.job->isActive());
    QCOMPARE(kit.job->jobState(), Job::Idle);
    QCOMPARE(kit.messages.shown.size(), 1);
    QCOMPARE(kit.messages.shown[0].title, QStringLiteral("Complete"));
    QCOMPARE(kit.messages.shown[0].text, QStringLiteral("The joining is completed successfully."));
    QCOMPARE(kit.results.size(), 1);
    QCOMPARE(kit.results[0].kind, JobResult::Succeeded);
    QCOMPARE(kit.results[0].outputPath, kit.view.outputText);
    // Only a job that ran to its end says so: a result nobody filled in does not.
    QVERIFY(!JobResult().succeeded());
    QVERIFY(kit.shell.opened.isEmpty());
    QVERIFY(noTemporaries(kit));
    QCOMPARE(readAll(kit.tasks.caption(0)), QByteArray("A"));
}

void TestJobRun::conversionsSideBySideShareTheLabel()
{
    JobKit kit;
    QVERIFY(kit.isValid());
    QCOMPARE(kit.settings.atOnce, 2);
    setFakeModes(QStringLiteral("replay"), kit.runLogPath(), 1);
    addThreeInputs(kit);
    QVERIFY(kit.runToEnd());
    QCOMPARE(kit.endings, QList<bool>{true});
    QCOMPARE(readAll(kit.view.outputText), QByteArray("ABC"));

    // The label names the file least far along, and how many run beside it;
    // the last one, alone at the end, is named alone.
    QStringList labels;
    for (const QString &entry : std::as_const(kit.view.log)) {
        if (entry.startsWith(QLatin1String("status 0 Joining")))
            break;
        if (entry.startsWith(QLatin1String("file ")) && entry.size() > 5)
            labels << entry.mid(5);
    }
    QVERIFY2(labels.contains(QStringLiteral("a.avi +1 more")),
             qPrintable(labels.join(QLatin1Char('|'))));
    QCOMPARE(labels.last(), QStringLiteral("c.avi"));
    const QRegularExpression shape(QStringLiteral("^[abc]\\.avi( \\+1 more)?$"));
    for (const QString &label : std::as_const(labels))
        QVERIFY2(shape.match(label).hasMatch(), qPrintable(label));
}

// A run whose output holds no "Pos:" reads on from the position text the
// run before it in the same stage left.
void TestJobRun::positionTextGoesOnFromTheRunBefore()
{
    JobKit kit;
    QVERIFY(kit.isValid());
    kit.settings.atOnce = 1;
    setFakeModes(QStringLiteral("replay,nopos,replay"), kit.runLogPath(), 1);
    kit.addInput(QStringLiteral("a.avi"), "A");
    kit.addInput(QStringLiteral("b.avi"), "B", QStringLiteral("00:02:00"));
    QVERIFY(kit.runToEnd());
    QCOMPARE(kit.endings, QList<bool>{true});

    const QStringList &log = kit.view.log;
    const int from = log.indexOf(QStringLiteral("status 1 Converting"));
    const int to = log.indexOf(QStringLiteral("status 1 Waiting for joining"));
    QVERIFY(from > 0 && to > from);
    // The first run ended at 59.9 s; of b's two minutes that is half.
    const QStringList shown = log.mid(from, to - from).filter(QStringLiteral("current "));
    const auto half = [](const QString &entry) {
        const int percent = entry.mid(8).chopped(1).toInt();
        return percent >= 49 && percent <= 51;
    };
    QVERIFY2(std::any_of(shown.begin(), shown.end(), half),
             qPrintable(shown.join(QLatin1Char('|'))));
}

void TestJobRun::stopDuringTheSecondRowDeletesOnlyTheJobsTemporaries()
{
    JobKit kit;
    kit.settings.atOnce = 1;
    setFakeModes(QStringLiteral("replay,hang"), kit.runLogPath());
    addThreeInputs(kit);
    // Another job's file of the same name as row 2's temporary.
    QDir().mkpath(kit.tempPath(QString()));
    QFile other(kit.tempPath(QStringLiteral("2.avi")));
    QVERIFY(other.open(QIODevice::WriteOnly) && other.write("other") == 5);
    other.close();

    // While the cancel message is up, Start must not begin a second job.
    bool activeWhileTold = false;
    kit.messages.onShown = [&](const ShownMessage &) {
        kit.start();
        activeWhileTold = kit.presenter->isBusy();
    };
    QSignalSpy ended(kit.presenter.get(), &JobPresenter::ended);
    kit.start();
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(kit.tempPath(QStringLiteral("1.avi"))), 30000);
    QCOMPARE(kit.tasks.status(1), QStringLiteral("Converting"));
    kit.stop();
    QVERIFY(kit.view.startShown); // at once, while the job winds down
    QCOMPARE(kit.job->jobState(), Job::Stopped);
    QVERIFY(ended.wait(30000));

    QCOMPARE(kit.statuses(), QStringList({"Stopped", "Stopped", "OK"}));
    QVERIFY(!QFileInfo::exists(kit.tempPath(QStringLiteral("0.avi"))));
    QVERIFY(!QFileInfo::exists(kit.tempPath(QStringLiteral("1.avi"))));
    QCOMPARE(readAll(kit.tempPath(QStringLiteral("2.avi"))), QByteArray("other"));
    QCOMPARE(kit.messages.shown.size(), 1);
    QCOMPARE(kit.messages.shown[0].title, QStringLiteral("Cancel"));
    QCOMPARE(kit.messages.shown[0].text, QStringLiteral("The Coversion is canceled."));
    QVERIFY(activeWhileTold);
    QCOMPARE(kit.results.size(), 1);
    QCOMPARE(kit.results[0].kind, JobResult::Cancelled);
    QCOMPARE(kit.loggedRuns().size(), 2);
    QCOMPARE(kit.job->jobState(), Job::Stopped);
    QVERIFY(!kit.view.progressPanelShown);
    QVERIFY(!kit.view.locked);
    QCOMPARE(ended.at(0).at(0).toBool(), false);
    // Stop with no job running does nothing.
    kit.stop();
    QCOMPARE(kit.job->jobState(), Job::Stopped);
}

// Stop while joining over an existing output: the earlier file is untouched
// and nothing of the job is left behind.
void TestJobRun::stopDuringJoiningLeavesTheEarlierOutputUntouched()
{
    JobKit kit;
    setFakeModes(QStringLiteral("replay,replay,replay,hang"), kit.runLogPath());
    addThreeInputs(kit);
    kit.settings.ask = false; // overwrite
    QFile earlier(kit.view.outputText);
    QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("EARLIER") == 7);
    earlier.close();
    QSignalSpy ended(kit.presenter.get(), &JobPresenter::ended);
    kit.start();
    QTRY_COMPARE_WITH_TIMEOUT(kit.tasks.status(2), QStringLiteral("Joining"), 30000);
    QTRY_COMPARE_WITH_TIMEOUT(kit.loggedRuns().size(), 4, 30000);
    const QString partial = kit.loggedRuns().at(3).last();
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(partial), 30000);
    kit.stop();
    QVERIFY(ended.wait(30000));

    QCOMPARE(kit.statuses(), QStringList({"Stopped", "Stopped", "Stopped"}));
    QVERIFY(noTemporaries(kit));
    QVERIFY(!QFileInfo::exists(partial));
    QCOMPARE(readAll(kit.view.outputText), QByteArray("EARLIER"));
    QCOMPARE(kit.messages.shown.size(), 1);
    QCOMPARE(kit.messages.shown[0].title, QStringLiteral("Cancel"));
    QCOMPARE(kit.messages.shown[0].text, QStringLiteral("The Joining is canceled."));
    QCOMPARE(kit.job->jobState(), Job::Idle);
    QVERIFY(!kit.view.progressPanelShown);
    QVERIFY(!kit.view.locked);
}

void TestJobRun::completionActionsTakeTurnsByPrecedence_data()
{
    QTest::addColumn<bool>("turnOff");
    QTest::addColumn<bool>("exitDone");
    QTest::addColumn<bool>("openFolder");
    QTest::addColumn<int>("powerOffs");
    QTest::addColumn<int>("closes");
    QTest::addColumn<bool>("told");
    QTest::addColumn<bool>("opened");
    QTest::newRow("turn off wins") << true << true << true << 1 << 1 << false << false;
    QTest::newRow("exit") << false << true << true << 0 << 1 << false << false;
    QTest::newRow("open folder after the message")
        << false << false << true << 0 << 0 << true << true;
    QTest::newRow("message only") << false << false << false << 0 << 0 << true << false;
}

void TestJobRun::completionActionsTakeTurnsByPrecedence()
{
    QFETCH(bool, turnOff);
    QFETCH(bool, exitDone);
    QFETCH(bool, openFolder);
    QFETCH(int, powerOffs);
    QFETCH(int, closes);
    QFETCH(bool, told);
    QFETCH(bool, opened);
    JobKit kit;
    setFakeModes(QStringLiteral("replay"), kit.runLogPath());
    addThreeInputs(kit);
    kit.settings.turnOff = turnOff;
    kit.settings.exitDone = exitDone;
    kit.settings.openFolder = openFolder;
    int openedWhileTold = -1;
    kit.messages.onShown = [&](const ShownMessage &) { openedWhileTold = kit.shell.opened.size(); };
    QVERIFY(kit.runToEnd());

    QCOMPARE(kit.power.calls, powerOffs);
    QCOMPARE(kit.view.closeCalls, closes);
    QCOMPARE(kit.messages.shown.size(), told ? 1 : 0);
    QCOMPARE(kit.shell.opened,
             opened ? QStringList{kit.workPath(QString()).chopped(1)} : QStringList());
    if (opened)
        QCOMPARE(openedWhileTold, 0);
    // Closing the program leaves the progress panel as it was.
    QCOMPARE(kit.view.progressPanelShown, closes > 0);
    QCOMPARE(kit.statuses(), QStringList({"Complete", "Complete", "Complete"}));
    QVERIFY(!kit.view.locked);
    QCOMPARE(kit.endings, QList<bool>{true});
}

void TestJobRun::renamePolicyNeverOverwrites()
{
    JobKit kit;
    setFakeModes(QStringLiteral("replay"), kit.runLogPath());
    addThreeInputs(kit);
    kit.settings.ask = false;
    kit.settings.rename = true;
    const QString first = kit.workPath(QStringLiteral("joined_1.avi"));
    for (const QString &path : {kit.view.outputText, first}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("keep") == 4);
    }
    QVERIFY(kit.runToEnd());
    QCOMPARE(readAll(kit.view.outputText), QByteArray("keep"));
    QCOMPARE(readAll(first), QByteArray("keep"));
    QCOMPARE(readAll(kit.workPath(QStringLiteral("joined_2.avi"))), QByteArray("ABC"));
    QCOMPARE(kit.messages.shown.last().title, QStringLiteral("Complete"));

    // With the output free there is nothing to rename.
    QVERIFY(QFile::remove(kit.view.outputText));
    QVERIFY(kit.runToEnd());
    QCOMPARE(readAll(kit.view.outputText), QByteArray("ABC"));
    QVERIFY(!QFileInfo::exists(kit.workPath(QStringLiteral("joined_3.avi"))));

    // An output that appears while the rows are converted: the join is
    // planned afresh, its partial file named after the next free name.
    QVERIFY(QFile::remove(kit.view.outputText));
    QVERIFY(QFile::remove(kit.runLogPath()));
    setFakeModes(QStringLiteral("appear,replay"), kit.runLogPath());
    qputenv("FAKE_ENCODER_APPEAR", kit.view.outputText.toUtf8());
    QVERIFY(kit.runToEnd());
    QCOMPARE(readAll(kit.view.outputText), QByteArray("appeared\n"));
    QCOMPARE(readAll(kit.workPath(QStringLiteral("joined_3.avi"))), QByteArray("ABC"));
    const QString partial = kit.loggedRuns().last().last();
    QVERIFY2(partial.startsWith(kit.workPath(QStringLiteral(".joined_3.partial-"))),
             qPrintable(partial));
}

void TestJobRun::aFileThatAppearsIsAskedAbout_data()
{
    QTest::addColumn<bool>("overwrite");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

// "Ask me.": nothing was there at Start, so only the end can ask.
void TestJobRun::aFileThatAppearsIsAskedAbout()
{
    QFETCH(bool, overwrite);
    JobKit kit;
    setFakeModes(QStringLiteral("replay,replay,replay,appear"), kit.runLogPath());
    qputenv("FAKE_ENCODER_APPEAR", kit.view.outputText.toUtf8());
    addThreeInputs(kit);
    kit.messages.answers = {overwrite};
    QVERIFY(kit.runToEnd());
    QCOMPARE(kit.messages.shown.size(), 2);
    QCOMPARE(kit.messages.shown.first().kind, ShownMessage::Ask);
    QCOMPARE(kit.messages.shown.first().title, QStringLiteral("File Exists"));
    const QString keptAs = kit.workPath(QStringLiteral("joined_1.avi"));
    QVERIFY(kit.messages.shown.first().text.contains(keptAs));
    QCOMPARE(kit.messages.shown.last().title, QStringLiteral("Complete"));
    QCOMPARE(readAll(kit.view.outputText), overwrite ? QByteArray("ABC") : "appeared\n");
    QCOMPARE(readAll(keptAs), overwrite ? QByteArray() : QByteArray("ABC"));
    QCOMPARE(kit.results.last().outputPath, overwrite ? kit.view.outputText : keptAs);
}

void TestJobRun::inputTheEncoderFailsOnStopsTheJob_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("why");
    QTest::newRow("exit code") << "fail"
                               << "The encoder ended with exit code 1.";
    QTest::newRow("no temporary") << "nofile"
                                  << "The encoder wrote nothing to";
    QTest::newRow("crash") << "crash"
                           << "The encoder crashed.";
}

void TestJobRun::inputTheEncoderFailsOnStopsTheJob()
{
    QFETCH(QString, mode);
    QFETCH(QString, why);
    JobKit kit;
    kit.settings.atOnce = 1;
    setFakeModes(QStringLiteral("replay,") + mode, kit.runLogPath());
    addThreeInputs(kit);
    QVERIFY(kit.runToEnd());

    QCOMPARE(kit.statuses(), QStringList({"Stopped", "Failed", "OK"}));
    QCOMPARE(kit.loggedRuns().size(), 2); // no joining attempt
    QVERIFY(noTemporaries(kit));
    QVERIFY(!QFileInfo::exists(kit.view.outputText));
    QCOMPARE(kit.messages.shown.size(), 1);
    const ShownMessage told = kit.messages.shown[0];
    QCOMPARE(told.title, QStringLiteral("Conversion Failed"));
    QVERIFY(told.text.contains(kit.tasks.caption(1)));
    QVERIFY2(told.text.contains(why), qPrintable(told.text));
    if (mode == QLatin1String("fail"))
        QVERIFY(told.text.contains(QStringLiteral("Cannot open file/device.")));
    QCOMPARE(kit.endings, QList<bool>{false});
    QCOMPARE(kit.results.size(), 1);
    QCOMPARE(kit.results[0].kind, JobResult::EncoderFailed);
    QCOMPARE(kit.results[0].file, kit.tasks.caption(1));
    QCOMPARE(kit.job->jobState(), Job::Idle);
    QVERIFY(!kit.view.locked);
    QVERIFY(!kit.view.progressPanelShown);
    QCOMPARE(readAll(kit.tasks.caption(1)), QByteArray("B"));
}

void TestJobRun::failedJoiningRunsNoAfterCompletionAction_data()
{
    QTest::addColumn<QString>("mode");
    QTest::newRow("exit code") << "fail";
    QTest::newRow("no output") << "nofile";
}

void TestJobRun::failedJoiningRunsNoAfterCompletionAction()
{
    QFETCH(QString, mode);
    JobKit kit;
    setFakeModes(QStringLiteral("replay,replay,") + mode, kit.runLogPath());
    kit.addInput(QStringLiteral("a.avi"), "A");
    kit.addInput(QStringLiteral("b.avi"), "B");
    kit.settings.turnOff = true;
    kit.settings.exitDone = true;
    kit.settings.openFolder = true;
    // An earlier output must not pass for what this join wrote, nor be lost.
    kit.settings.ask = false;
    QFile stale(kit.view.outputText);
    QVERIFY(stale.open(QIODevice::WriteOnly) && stale.write("STALE") == 5);
    stale.close();
    QVERIFY(kit.runToEnd());

    QCOMPARE(readAll(kit.view.outputText), QByteArray("STALE"));
    QCOMPARE(QDir(kit.workPath(QString())).entryList({".joined*"}, QDir::Files | QDir::Hidden),
             QStringList());
    QCOMPARE(kit.statuses(), QStringList({"Failed", "Failed"}));
    QCOMPARE(kit.power.calls, 0);
    QCOMPARE(kit.view.closeCalls, 0);
    QVERIFY(kit.shell.opened.isEmpty());
    QCOMPARE(kit.messages.shown.size(), 1);
    QCOMPARE(kit.messages.shown[0].title, QStringLiteral("Joining Failed"));
    QVERIFY(
        kit.messages.shown[0].text.contains(QStringLiteral("Last lines of the encoder's output:")));
    QVERIFY(noTemporaries(kit));
    QCOMPARE(kit.endings, QList<bool>{false});
    QVERIFY(!kit.view.locked);
    QVERIFY(!kit.view.progressPanelShown);
}

void TestJobRun::missingEncoderEndsTheJobAtOnce()
{
    JobKit kit;
    setFakeModes(QStringLiteral("replay"), kit.runLogPath());
    addThreeInputs(kit);
    kit.encoderPath = kit.programDir() + QStringLiteral("missing.dll");
    QVERIFY(kit.runToEnd());

    QCOMPARE(kit.messages.shown.size(), 1);
    QCOMPARE(kit.messages.shown[0].kind, ShownMessage::Plain);
    QCOMPARE(kit.messages.shown[0].title, QStringLiteral("Brelvane"));
    QCOMPARE(kit.messages.shown[0].text, QStringLiteral("Error. Please re-install Brelvane"));
    // The row started beside it is stopped with it, not left converting.
    QCOMPARE(kit.statuses(), QStringList({"Failed", "Stopped", "OK"}));
    QCOMPARE(kit.job->jobState(), Job::Idle);
    QVERIFY(!kit.view.locked);
    QVERIFY(!kit.view.progressPanelShown);
    QVERIFY(noTemporaries(kit));
    QVERIFY(!kit.job->timer()->isActive());
    QCOMPARE(kit.results.last().kind, JobResult::EncoderFailed);
}

void TestJobRun::tempFolderThatCannotBeMadeFallsBackOrIsTold()
{
    JobKit kit;
    setFakeModes(QStringLiteral("replay"), kit.runLogPath());
    kit.addInput(QStringLiteral("a.avi"), "A");
    kit.addInput(QStringLiteral("b.avi"), "B");
    const QString unmakeable = kit.workPath(QStringLiteral("no/such/"));
    kit.settings.temp = unmakeable;
    QVERIFY(kit.runToEnd());
    // Two conversions start at once, so either may be logged first.
    const QList<QStringList> runs = kit.loggedRuns();
    const auto first = std::find_if(runs.begin(), runs.end(), [&](const QStringList &run) {
        return run.value(0) == kit.tasks.caption(0);
    });
    QVERIFY(first != runs.end() && isJobTemporary(kit, first->value(2), 0));
    QCOMPARE(kit.messages.shown.last().title, QStringLiteral("Complete"));

    // With the fallback blocked by a file of its name, nothing can run.
    QVERIFY(QDir(kit.programDir() + QStringLiteral("temp")).removeRecursively());
    QFile blocker(kit.programDir() + QStringLiteral("temp"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QVERIFY(kit.runToEnd());
    const ShownMessage told = kit.messages.shown.last();
    QCOMPARE(told.title, QStringLiteral("Temp Folder"));
    QVERIFY(told.text.contains(unmakeable));
    QVERIFY(told.text.contains(kit.programDir() + QStringLiteral("temp/")));
    QCOMPARE(kit.loggedRuns().size(), 3);
    QCOMPARE(kit.endings, QList<bool>({true, false}));
    QVERIFY(!kit.view.locked);
    QVERIFY(!kit.view.progressPanelShown);
    QVERIFY(!kit.job->timer()->isActive());
    QCOMPARE(kit.job->jobState(), Job::Idle);
}

void TestJobRun::timerShowsElapsedAndRemainingTime()
{
    JobKit kit;
    setFakeModes(QStringLiteral("hang"), kit.runLogPath());
    kit.addInput(QStringLiteral("a.avi"), "A");
    kit.addInput(QStringLiteral("b.avi"), "B");
    kit.start();
    QCOMPARE(kit.view.elapsedText, QString());
    QCOMPARE(kit.view.remainingText, QString());
    QTRY_COMPARE_WITH_TIMEOUT(kit.view.elapsedText, QStringLiteral("00:00:01"), 10000);

    // Further ticks by hand. The encoder shows no progress, so the total bar
    // stays empty and the estimate keeps what it was (see
    // remainingTimeAssumesAnEvenlyGrowingBar for the estimate itself).
    kit.job->timer()->stop();
    while (kit.job->elapsedSeconds() < 30)
        kit.job->tick();
    QCOMPARE(kit.view.elapsedText, QStringLiteral("00:00:30"));
    QCOMPARE(kit.view.remainingText, QStringLiteral("00:00:00"));
    QCOMPARE(kit.job->remainingSeconds(), 0);

    QSignalSpy ended(kit.presenter.get(), &JobPresenter::ended);
    kit.stop();
    QVERIFY(ended.wait(30000));
}

void TestJobRun::jobDestroyedMidRunLeavesNoTemporaries()
{
    JobKit kit;
    setFakeModes(QStringLiteral("replay,hang"), kit.runLogPath());
    addThreeInputs(kit);
    kit.start();
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(kit.tempPath(QStringLiteral("1.avi"))), 30000);
    kit.job.reset();
    QVERIFY(noTemporaries(kit));
    QCOMPARE(readAll(kit.tasks.caption(1)), QByteArray("B"));
}

QTEST_GUILESS_MAIN(TestJobRun)
#include "test_jobrun.moc"
