#include "fakeseams.h"
#include "taskcaptions.h"
#include "tasklist/orderedprobes.h"
#include "tasklist/tasklist.h"
#include "tasklist/tasklistmodel.h"
#include "tasklist/timetext.h"
#include "testclips.h"

#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtTest>

namespace {

QList<int> selectedRows(const TaskList &tasks)
{
    QList<int> rows;
    for (int row = 0; row < tasks.count(); ++row) {
        if (tasks.selectionModel()->isRowSelected(row, QModelIndex()))
            rows << row;
    }
    return rows;
}

void selectRows(TaskList &tasks, const QList<int> &rows)
{
    for (const int row : rows)
        tasks.selectionModel()->select(tasks.model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

// Rows with captions only, as the move and remove operations see them.
void fillPlainRows(TaskList &tasks, const QStringList &names)
{
    for (const QString &name : names)
        tasks.model()->appendRow(name);
}

// Adds one file and waits for its intake; true when its row was added.
bool addAndWait(TaskList &tasks, const QString &path)
{
    const int before = tasks.count();
    tasks.AddTaskFile(path);
    tasks.waitForIntake();
    return tasks.count() > before;
}

bool writeText(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

class TaskListTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void addsFileWithProbedTexts();
    void asksBeforeAddingDuplicate();
    void comparesCaptionsCaseSensitively();
    void addsFolderFilesSortedAndFiltered();
    void addsChosenFilesInDialogOrder();
    void dropSkipsUnsupportedNames();
    void takesListFile_data();
    void takesListFile();
    void takesStartupFilesAndSkipsOthers();
    void reportsUnreadableListFile();
    void refusesFileWithoutPlayTime();
    void refusesBatchInOneMessage();
    void listsAtMostTwentyRefusedNames();
    void parallelIntakeKeepsListOrderAndAsksInOrder();
    void clearDropsFilesStillComingIn();
    void movesSelectedRowsUp();
    void movesSelectedRowsDown();
    void removesSelectedRowsAndClears();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString clipCopy(const QString &name);

    QTemporaryDir m_dir;
    QString m_clip;
    FakeMessages m_messages;
};

void TaskListTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_clip = path(QStringLiteral("source/clip.avi"));
    QDir().mkpath(path(QStringLiteral("source")));
    QVERIFY(makeClip(m_clip, ClipSpec{}));

    // The folder of the folder, drop and list-file cases.
    QVERIFY(!clipCopy(QStringLiteral("folder/A.avi")).isEmpty());
    ClipSpec mpg;
    mpg.width = 352;
    mpg.height = 288;
    QVERIFY(makeClip(path(QStringLiteral("folder/b.MPG")), mpg));
    QVERIFY(writeText(path(QStringLiteral("folder/c.txt")), "text"));
    QVERIFY(!clipCopy(QStringLiteral("folder/.x.avi")).isEmpty());
    QVERIFY(!clipCopy(QStringLiteral("folder/d.avi/e.avi")).isEmpty());
}

QString TaskListTest::clipCopy(const QString &name)
{
    return copyFileTo(m_clip, path(name)) ? path(name) : QString();
}

void TaskListTest::addsFileWithProbedTexts()
{
    TaskList tasks(&m_messages);
    QSignalSpy started(&tasks, &TaskList::fileAddingStarted);
    QVERIFY(addAndWait(tasks, m_clip));
    QCOMPARE(started.size(), 1);
    ltvItemData row;
    tasks.model()->GetItemData(0, WholeRowSelector, row);
    QCOMPARE(row.Caption, m_clip);
    QVERIFY(row.Seconds[0] > 0.9 && row.Seconds[0] < 1.2);
    QCOMPARE(row.SubItems[SizeSlot], QStringLiteral("320x240"));
    QCOMPARE(row.SubItems[StatusSlot], QStringLiteral("OK"));
    for (int slot = 3; slot < TaskSubItemCount; ++slot)
        QCOMPARE(row.SubItems[slot], QString());
}

void TaskListTest::asksBeforeAddingDuplicate()
{
    FakeMessages messages;
    TaskList tasks(&messages);
    QSignalSpy started(&tasks, &TaskList::fileAddingStarted);
    QVERIFY(addAndWait(tasks, m_clip));
    QVERIFY(messages.shown.isEmpty());

    messages.answers = {false};
    QVERIFY(!addAndWait(tasks, m_clip));
    QCOMPARE(tasks.count(), 1);
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown.at(0).kind, ShownMessage::Ask);
    QCOMPARE(messages.shown.at(0).title, QStringLiteral("Already Listed"));
    QCOMPARE(messages.shown.at(0).text,
             QStringLiteral("This file has been added to the Task List already. Are you sure to "
                            "add it again?"));
    // The window hides its getting-started panel even when the answer is No.
    QCOMPARE(started.size(), 2);

    messages.answers = {true};
    QVERIFY(addAndWait(tasks, m_clip));
    QCOMPARE(tasks.count(), 2);
    // Listed twice now, but one question per file.
    messages.answers = {true};
    QVERIFY(addAndWait(tasks, m_clip));
    QCOMPARE(messages.shown.size(), 3);
    QCOMPARE(captions(tasks), QStringList(3, m_clip));

    // The question follows the captions as they are now: listed while one
    // row still holds the path, no longer once the last is removed or
    // rewritten.
    selectRows(tasks, {0, 1});
    tasks.RemoveSelected();
    messages.answers = {false};
    QVERIFY(!addAndWait(tasks, m_clip));
    QCOMPARE(messages.shown.size(), 4);
    ltvItemData renamed;
    renamed.Caption = path(QStringLiteral("elsewhere.avi"));
    tasks.model()->SetItemData(0, CaptionSelector, renamed);
    QVERIFY(addAndWait(tasks, m_clip));
    QCOMPARE(messages.shown.size(), 4);
    selectRows(tasks, {0});
    tasks.RemoveSelected();
    messages.answers = {false};
    QVERIFY(!addAndWait(tasks, m_clip));
    QCOMPARE(messages.shown.size(), 5);
}

void TaskListTest::comparesCaptionsCaseSensitively()
{
    const QString upper = clipCopy(QStringLiteral("V/A.avi"));
    const QString lower = clipCopy(QStringLiteral("v/a.avi"));
    FakeMessages messages;
    TaskList tasks(&messages);
    QVERIFY(addAndWait(tasks, upper));
    QVERIFY(addAndWait(tasks, lower));
    QVERIFY(messages.shown.isEmpty());
    QCOMPARE(captions(tasks), QStringList({upper, lower}));
}

void TaskListTest::addsFolderFilesSortedAndFiltered()
{
    const QStringList expected{path(QStringLiteral("folder/A.avi")),
                               path(QStringLiteral("folder/b.MPG"))};
    for (const QString &folder :
         {path(QStringLiteral("folder")), path(QStringLiteral("folder/"))}) {
        FakeMessages messages;
        TaskList tasks(&messages);
        tasks.AddTaskFolder(folder);
        tasks.waitForIntake();
        QCOMPARE(captions(tasks), expected);
        ltvItemData row;
        tasks.model()->GetItemData(1, SizeSlot, row);
        QCOMPARE(row.SubItems[SizeSlot], QStringLiteral("352x288"));
        QVERIFY(messages.shown.isEmpty());
    }
}

void TaskListTest::addsChosenFilesInDialogOrder()
{
    const QString x = clipCopy(QStringLiteral("chosen/x.avi"));
    const QString y = clipCopy(QStringLiteral("chosen/y.avi"));
    const QString z = clipCopy(QStringLiteral("chosen/z.avi"));
    TaskList tasks(&m_messages);
    tasks.AddChosenFiles({z, x, y});
    tasks.waitForIntake();
    QCOMPARE(captions(tasks), QStringList({z, x, y}));
}

void TaskListTest::dropSkipsUnsupportedNames()
{
    const QString rmvb = clipCopy(QStringLiteral("drop/clip.rmvb"));
    const QString text = path(QStringLiteral("folder/c.txt"));
    FakeMessages messages;
    TaskList tasks(&messages);
    QSignalSpy started(&tasks, &TaskList::fileAddingStarted);
    tasks.AddDropped({rmvb, text, path(QStringLiteral("drop/missing.wmv.txt"))});
    tasks.waitForIntake();
    QCOMPARE(tasks.count(), 0);
    QCOMPARE(started.size(), 0);
    QVERIFY(messages.shown.isEmpty());

    tasks.AddDropped({path(QStringLiteral("folder")), m_clip});
    tasks.waitForIntake();
    QCOMPARE(captions(tasks), QStringList({path(QStringLiteral("folder/A.avi")),
                                           path(QStringLiteral("folder/b.MPG")), m_clip}));

    // The open dialog does not look at the extension.
    tasks.AddChosenFiles({rmvb});
    tasks.waitForIntake();
    QCOMPARE(tasks.model()->caption(3), rmvb);
}

void TaskListTest::takesListFile_data()
{
    QTest::addColumn<QString>("listName");
    QTest::newRow("lower case extension") << "list.tmp";
    QTest::newRow("upper case extension") << "list.TMP";
}

void TaskListTest::takesListFile()
{
    QFETCH(QString, listName);
    const QString listFile = path(listName);
    const QByteArray lines = m_clip.toUtf8() + "\r\n\r\n" + path("folder").toUtf8() + "\r\n" +
                             path("nowhere.avi").toUtf8() + "\n" + path("folder/c.txt").toUtf8() +
                             "\n";
    QVERIFY(writeText(listFile, lines));
    FakeMessages messages;
    TaskList tasks(&messages);
    // Arguments after a list file are not looked at.
    tasks.TakeStartupArguments({listFile, path(QStringLiteral("folder/A.avi"))});
    tasks.waitForIntake();
    QCOMPARE(captions(tasks), QStringList({m_clip, path(QStringLiteral("folder/A.avi")),
                                           path(QStringLiteral("folder/b.MPG"))}));
    QVERIFY(messages.shown.isEmpty());
}

void TaskListTest::takesStartupFilesAndSkipsOthers()
{
    const QString a = clipCopy(QStringLiteral("args/a.avi"));
    const QString b = clipCopy(QStringLiteral("args/b.TMP"));
    TaskList tasks(&m_messages);
    tasks.TakeStartupArguments({a, b, QString(), path(QStringLiteral("args/none.avi"))});
    tasks.waitForIntake();
    QCOMPARE(captions(tasks), QStringList{a});

    // A relative argument becomes the file's full path.
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(path(QStringLiteral("args"))));
    TaskList relative(&m_messages);
    relative.TakeStartupArguments({QStringLiteral("./a.avi")});
    relative.waitForIntake();
    QDir::setCurrent(before);
    QCOMPARE(captions(relative), QStringList{QFileInfo(a).absoluteFilePath()});
}

void TaskListTest::reportsUnreadableListFile()
{
    const QString missing = path(QStringLiteral("missing.tmp"));
    FakeMessages messages;
    TaskList tasks(&messages);
    tasks.TakeStartupArguments({missing, m_clip});
    tasks.waitForIntake();
    QCOMPARE(tasks.count(), 0);
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown.at(0).kind, ShownMessage::Inform);
    QCOMPARE(messages.shown.at(0).title, QStringLiteral("List File Not Read"));
    QVERIFY(messages.shown.at(0).text.contains(missing));
}

void TaskListTest::refusesFileWithoutPlayTime()
{
    const QString fake = path(QStringLiteral("single/fake.avi"));
    QVERIFY(writeText(fake, "not a video at all\n"));
    FakeMessages messages;
    TaskList tasks(&messages);
    QVERIFY(!addAndWait(tasks, fake));
    QCOMPARE(tasks.count(), 0);
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown.at(0).kind, ShownMessage::Inform);
    QCOMPARE(messages.shown.at(0).title, QStringLiteral("Not Added"));
    QVERIFY(messages.shown.at(0).text.contains(fake));
    QVERIFY(messages.shown.at(0).text.contains(QStringLiteral("play time")));
}

void TaskListTest::refusesBatchInOneMessage()
{
    const QString bad1 = path(QStringLiteral("batch/bad1.avi"));
    const QString bad2 = path(QStringLiteral("batch/bad2.mov"));
    const QString loose = path(QStringLiteral("loose.wmv"));
    QVERIFY(writeText(bad1, "one"));
    QVERIFY(writeText(bad2, "two"));
    QVERIFY(writeText(loose, "three"));
    const QString good = clipCopy(QStringLiteral("batch/good.avi"));

    FakeMessages messages;
    TaskList tasks(&messages);
    tasks.AddDropped({path(QStringLiteral("batch")), loose});
    tasks.waitForIntake();
    QCOMPARE(captions(tasks), QStringList{good});
    QCOMPARE(messages.shown.size(), 1);
    const QString text = messages.shown.at(0).text;
    QCOMPARE(messages.shown.at(0).title, QStringLiteral("Not Added"));
    QVERIFY(text.contains(bad1) && text.contains(bad2) && text.contains(loose));

    messages.shown.clear();
    tasks.TakeStartupArguments({bad1, bad2});
    tasks.waitForIntake();
    QCOMPARE(messages.shown.size(), 1);
    messages.shown.clear();
    tasks.AddChosenFiles({bad1, loose});
    tasks.waitForIntake();
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(tasks.count(), 1);
}

void TaskListTest::listsAtMostTwentyRefusedNames()
{
    QStringList bad;
    for (int i = 0; i < 23; ++i) {
        bad << path(QStringLiteral("many/bad%1.avi").arg(i, 2, 10, QLatin1Char('0')));
        QVERIFY(writeText(bad.last(), "not a video"));
    }
    FakeMessages messages;
    TaskList tasks(&messages);
    tasks.AddTaskFolder(path(QStringLiteral("many")));
    tasks.waitForIntake();
    QCOMPARE(messages.shown.size(), 1);
    const QString text = messages.shown.at(0).text;
    QVERIFY(text.contains(bad.at(19) + QStringLiteral("\n... and 3 more.")));
    QVERIFY(!text.contains(bad.at(20)));
}

void TaskListTest::parallelIntakeKeepsListOrderAndAsksInOrder()
{
    // A file that takes longer to probe comes first, so that the small ones
    // after it are probed before it.
    const QString slow = path(QStringLiteral("order/slow.ts"));
    QVERIFY(QDir().mkpath(path(QStringLiteral("order"))));
    QVERIFY(makeClip(slow, {1280, 720, 4.0, 25, true}));
    const QString bad = path(QStringLiteral("order/bad.avi"));
    QVERIFY(writeText(bad, "not a video"));
    QStringList small;
    for (int i = 0; i < 6; ++i)
        small << clipCopy(QStringLiteral("order/%1.avi").arg(i));

    FakeMessages messages;
    TaskList tasks(&messages);
    QVERIFY(addAndWait(tasks, m_clip));
    // The row count at each box tells where in the list the intake was. A
    // real box runs an event loop of its own while it is up.
    QList<int> rowsAtBox;
    messages.onShown = [&](const ShownMessage &) {
        rowsAtBox << tasks.count();
        QTest::qWait(50);
    };
    messages.answers = {false};
    QSignalSpy finished(&tasks, &TaskList::intakeFinished);
    // The last file is slow too: it comes in after the question's box.
    const QString slowLast = path(QStringLiteral("order/slow-last.ts"));
    QVERIFY(QFile::copy(slow, slowLast));
    tasks.AddChosenFiles(QStringList{slow} + small.mid(0, 3) + QStringList{m_clip, bad} +
                         small.mid(3) + QStringList{slowLast});
    QVERIFY(tasks.isTakingIn());
    QVERIFY(finished.wait(60000));
    QVERIFY(!tasks.isTakingIn());

    QCOMPARE(captions(tasks), QStringList({m_clip, slow}) + small + QStringList{slowLast});
    QCOMPARE(messages.shown.size(), 2);
    QCOMPARE(messages.shown.at(0).title, QStringLiteral("Already Listed"));
    QCOMPARE(messages.shown.at(1).title, QStringLiteral("Not Added"));
    QVERIFY(messages.shown.at(1).text.endsWith(QLatin1Char('\n') + bad));
    // Asked as the duplicate's row would be added; told after the last row.
    QCOMPARE(rowsAtBox, QList<int>({5, 9}));
    ProbeResult facts;
    QVERIFY(tasks.model()->factsOf(slow, facts));
    QCOMPARE(facts.width, 1280);
}

void TaskListTest::clearDropsFilesStillComingIn()
{
    FakeMessages messages;
    TaskList tasks(&messages);
    QVERIFY(addAndWait(tasks, m_clip));
    QSignalSpy finished(&tasks, &TaskList::intakeFinished);
    // Cleared while the duplicate question is up: the file asked about and
    // those after it stay out, and nothing is refused.
    messages.onShown = [&](const ShownMessage &) { tasks.Clear(); };
    tasks.AddDropped({m_clip, path(QStringLiteral("folder")), path(QStringLiteral("batch"))});
    QVERIFY(finished.wait(60000));

    tasks.AddTaskFolder(path(QStringLiteral("folder")));
    tasks.Clear();
    QVERIFY(!tasks.isTakingIn());
    QCOMPARE(finished.size(), 2);
    // Whatever the workers were doing ends unseen.
    ProbeThreadPool()->waitForDone();
    QCoreApplication::processEvents();
    QCOMPARE(tasks.count(), 0);
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(finished.size(), 2);
}

void TaskListTest::movesSelectedRowsUp()
{
    TaskList firstSelected(&m_messages);
    fillPlainRows(firstSelected, {"A", "B", "C"});
    selectRows(firstSelected, {0, 1});
    firstSelected.MoveUp();
    QCOMPARE(captions(firstSelected), QStringList({"B", "A", "C"}));
    QCOMPARE(selectedRows(firstSelected), QList<int>{0});

    TaskList lastTwo(&m_messages);
    fillPlainRows(lastTwo, {"A", "B", "C"});
    ltvItemData record;
    record.SubItems[StatusSlot] = QStringLiteral("Complete");
    record.SubItems[9] = QStringLiteral("nine");
    lastTwo.model()->SetItemData(2, StatusSlot, record);
    lastTwo.model()->SetItemData(2, 9, record);
    lastTwo.selectionModel()->setCurrentIndex(lastTwo.model()->index(2, 0),
                                              QItemSelectionModel::NoUpdate);
    selectRows(lastTwo, {1, 2});
    lastTwo.MoveUp();
    QCOMPARE(captions(lastTwo), QStringList({"B", "C", "A"}));
    QCOMPARE(selectedRows(lastTwo), QList<int>({0, 1}));
    // Every slot travels with its row; the focus mark stays put.
    QCOMPARE(lastTwo.model()->status(1), QStringLiteral("Complete"));
    ltvItemData moved;
    lastTwo.model()->GetItemData(1, 9, moved);
    QCOMPARE(moved.SubItems[9], QStringLiteral("nine"));
    QCOMPARE(lastTwo.selectionModel()->currentIndex().row(), 2);

    TaskList none(&m_messages);
    fillPlainRows(none, {"A", "B"});
    none.MoveUp();
    QCOMPARE(captions(none), QStringList({"A", "B"}));
}

void TaskListTest::movesSelectedRowsDown()
{
    TaskList tasks(&m_messages);
    fillPlainRows(tasks, {"A", "B", "C"});
    selectRows(tasks, {1, 2});
    tasks.MoveDown();
    QCOMPARE(captions(tasks), QStringList({"A", "C", "B"}));
    QCOMPARE(selectedRows(tasks), QList<int>{2});

    tasks.selectionModel()->clearSelection();
    selectRows(tasks, {0});
    tasks.MoveDown();
    tasks.MoveDown();
    QCOMPARE(captions(tasks), QStringList({"C", "B", "A"}));
    QCOMPARE(selectedRows(tasks), QList<int>{2});
}

void TaskListTest::removesSelectedRowsAndClears()
{
    TaskList tasks(&m_messages);
    fillPlainRows(tasks, {"A", "B", "C", "D"});
    QVERIFY(!tasks.hasSelection());
    QCOMPARE(tasks.FirstSelectedCaption(), QString());
    selectRows(tasks, {3, 1});
    QVERIFY(tasks.hasSelection());
    QCOMPARE(tasks.FirstSelectedCaption(), QStringLiteral("B"));
    tasks.RemoveSelected();
    QCOMPARE(captions(tasks), QStringList({"A", "C"}));
    QVERIFY(!tasks.hasSelection());

    selectRows(tasks, {1});
    tasks.Clear();
    QCOMPARE(tasks.count(), 0);
    QVERIFY(!tasks.hasSelection());
}

QTEST_GUILESS_MAIN(TaskListTest)
#include "test_tasklist.moc"
