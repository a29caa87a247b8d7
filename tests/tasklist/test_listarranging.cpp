// Arranging the list by hand: drags, sorts, drops between rows, and every
// edit undone and redone.
#include "fakeseams.h"
#include "taskcaptions.h"
#include "tasklist/tasklist.h"
#include "tasklist/tasklistmodel.h"
#include "testclips.h"

#include <QItemSelectionModel>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>
#include <memory>

namespace {

// Rows with a caption and a play time, added as one add.
void fill(TaskList &tasks, const QStringList &names, const QStringList &lengths = {})
{
    QList<TaskRow> rows = tasks.model()->rows();
    for (int i = 0; i < names.size(); ++i) {
        ltvItemData row;
        row.Caption = names[i];
        row.SubItems[LengthSlot] = lengths.value(i);
        rows << TaskRowOfRecord(row);
    }
    tasks.model()->setRows(rows);
}

} // namespace

class ListArrangingTest : public QObject {
    Q_OBJECT
private slots:
    // Rows dragged together land, in their order, where they were dropped,
    // and stay selected; undo and redo take the move back and forth.
    void aDragMovesRows()
    {
        FakeMessages messages;
        TaskList tasks(&messages);
        fill(tasks, {"a", "b", "c", "d", "e", "f"});
        TaskListModel *model = tasks.model();
        std::unique_ptr<QMimeData> dragged(
            model->mimeData({model->index(3, 0), model->index(1, 2), model->index(1, 0)}));
        QVERIFY(model->flags(model->index(1, 0)) & Qt::ItemIsDragEnabled);
        QVERIFY(model->dropMimeData(dragged.get(), Qt::MoveAction, 5, 0, QModelIndex()));
        QCOMPARE(captions(tasks), QStringList({"a", "c", "e", "b", "d", "f"}));
        QVERIFY(tasks.selectionModel()->isRowSelected(3, QModelIndex()));
        QVERIFY(tasks.selectionModel()->isRowSelected(4, QModelIndex()));
        QVERIFY(!tasks.selectionModel()->isRowSelected(5, QModelIndex()));
        // Dropped at the top.
        std::unique_ptr<QMimeData> last(model->mimeData({model->index(5, 0)}));
        QVERIFY(model->dropMimeData(last.get(), Qt::MoveAction, 0, 0, QModelIndex()));
        QCOMPARE(captions(tasks), QStringList({"f", "a", "c", "e", "b", "d"}));
        tasks.Undo();
        tasks.Undo();
        QCOMPARE(captions(tasks), QStringList({"a", "b", "c", "d", "e", "f"}));
        QVERIFY(!tasks.canUndo());
        tasks.Redo();
        QCOMPARE(captions(tasks), QStringList({"a", "c", "e", "b", "d", "f"}));
    }

    void sortsNaturallyByTimeAndByDate()
    {
        FakeMessages messages;
        TaskList tasks(&messages);
        fill(tasks, {"/v/clip10.avi", "/v/Clip2.avi", "/v/clip1.avi", "/v/clip02b.avi"},
             {"00:00:05", "00:01:00", "00:00:30", "00:00:05"});
        tasks.SortBy(TaskList::SortKey::Name);
        QCOMPARE(captions(tasks),
                 QStringList({"/v/clip1.avi", "/v/Clip2.avi", "/v/clip02b.avi", "/v/clip10.avi"}));
        // Rows of equal play time keep their order.
        tasks.SortBy(TaskList::SortKey::PlayTime);
        QCOMPARE(captions(tasks),
                 QStringList({"/v/clip02b.avi", "/v/clip10.avi", "/v/clip1.avi", "/v/Clip2.avi"}));
        tasks.Undo();
        tasks.Undo();
        QCOMPARE(captions(tasks),
                 QStringList({"/v/clip10.avi", "/v/Clip2.avi", "/v/clip1.avi", "/v/clip02b.avi"}));

        QTemporaryDir dir;
        const QString older = dir.filePath("z-older.avi");
        const QString newer = dir.filePath("a-newer.avi");
        for (const QString &path : {older, newer}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QFile file(older);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addDays(-1),
                                 QFileDevice::FileModificationTime));
        file.close();
        TaskList dated(&messages);
        fill(dated, {newer, older});
        dated.SortBy(TaskList::SortKey::Date);
        QCOMPARE(captions(dated), QStringList({older, newer}));
    }

    // Files dropped between rows go in there, as one edit; adding a listed
    // folder again asks once when the answer is for all its files.
    void dropsGoBetweenRowsAndAnswersGoToAll()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath("clips");
        QVERIFY(QDir().mkpath(folder));
        const QStringList names{"c1.avi", "c2.avi", "c3.avi"};
        for (const QString &name : names)
            QVERIFY(makeClip(folder + '/' + name, {160, 120, 0.5, 25, false}));
        FakeMessages messages;
        TaskList tasks(&messages);
        fill(tasks, {"/x/first.avi", "/x/last.avi"});
        QMimeData dropped;
        dropped.setUrls(
            {QUrl::fromLocalFile(folder + "/c2.avi"), QUrl::fromLocalFile(folder + "/c1.avi")});
        QVERIFY(tasks.model()->dropMimeData(&dropped, Qt::CopyAction, 1, 0, QModelIndex()));
        tasks.waitForIntake();
        QCOMPARE(captions(tasks), QStringList({"/x/first.avi", folder + "/c2.avi",
                                               folder + "/c1.avi", "/x/last.avi"}));
        tasks.Undo();
        QCOMPARE(captions(tasks), QStringList({"/x/first.avi", "/x/last.avi"}));
        tasks.Redo();

        messages.answersForAll = {Messages::Answer::NoToAll};
        tasks.AddTaskFolder(folder);
        tasks.waitForIntake();
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].title, QStringLiteral("Already Listed"));
        QCOMPARE(captions(tasks).mid(4), QStringList{folder + "/c3.avi"});
        messages.answersForAll = {Messages::Answer::YesToAll};
        tasks.AddTaskFolder(folder);
        tasks.waitForIntake();
        QCOMPARE(messages.shown.size(), 2);
        QCOMPARE(tasks.count(), 8);
        // The next add asks again.
        messages.answersForAll = {Messages::Answer::No};
        tasks.AddTaskFile(folder + "/c1.avi");
        tasks.waitForIntake();
        QCOMPARE(messages.shown.size(), 3);
        QCOMPARE(tasks.count(), 8);
    }
};

QTEST_MAIN(ListArrangingTest)
#include "test_listarranging.moc"
