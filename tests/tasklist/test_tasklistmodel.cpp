#include "tasklist/tasklistmodel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

namespace {

// A record whose every field holds a marker, to see which fields a read or
// write touched.
ltvItemData markedRecord(const QString &marker)
{
    ltvItemData record;
    record.Caption = marker + QStringLiteral("-caption");
    for (int slot = 0; slot < TaskSubItemCount; ++slot)
        record.SubItems[slot] = marker + QString::number(slot);
    for (double &seconds : record.Seconds)
        seconds = 777;
    return record;
}

// One row holding time texts in every slot that has a seconds value.
void fillTimedRow(TaskListModel &model)
{
    model.appendRow(QStringLiteral("/v/a.avi"));
    ltvItemData row;
    row.Caption = QStringLiteral("/v/a.avi");
    const char *texts[TaskSubItemCount] = {"00:01:05", "1280x720", "OK",  "three", "four",
                                           "00:00:05", "01:00:00", "bad", "",      "00:00:00.5"};
    for (int slot = 0; slot < TaskSubItemCount; ++slot)
        row.SubItems[slot] = QString::fromLatin1(texts[slot]);
    model.SetItemData(0, WholeRowSelector, row);
}

} // namespace

class TaskListModelTest : public QObject {
    Q_OBJECT
private slots:
    void showsFourColumns();
    void readsWholeRowWithSeconds();
    void readsOneFieldPerSelector();
    void writesOneFieldPerSelector();
    void writesWholeRowButNeverSeconds();
    void announcesChangesToViews();
    void keepsModelContractThroughEdits();
    void typedRowsShowTheirTexts();
};

void TaskListModelTest::showsFourColumns()
{
    TaskListModel model;
    fillTimedRow(model);
    QCOMPARE(model.columnCount(), 4);
    const QStringList headers{"Input File", "Length", "Size", "Status"};
    for (int column = 0; column < 4; ++column)
        QCOMPARE(model.headerData(column, Qt::Horizontal).toString(), headers.at(column));
    QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("/v/a.avi"));
    QCOMPARE(model.data(model.index(0, 1)).toString(), QStringLiteral("00:01:05"));
    QCOMPARE(model.data(model.index(0, 2)).toString(), QStringLiteral("1280x720"));
    QCOMPARE(model.data(model.index(0, 3)).toString(), QStringLiteral("OK"));
    QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
}

void TaskListModelTest::readsWholeRowWithSeconds()
{
    TaskListModel model;
    fillTimedRow(model);
    ltvItemData record = markedRecord(QStringLiteral("old"));
    model.GetItemData(0, WholeRowSelector, record);
    QCOMPARE(record.Caption, QStringLiteral("/v/a.avi"));
    QCOMPARE(record.SubItems[3], QStringLiteral("three"));
    QCOMPARE(record.SubItems[8], QString());
    const double expected[6] = {65, 5, 3600, -1, -1, 0.5};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(record.Seconds[i], expected[i]);
}

void TaskListModelTest::readsOneFieldPerSelector()
{
    TaskListModel model;
    fillTimedRow(model);

    ltvItemData captionOnly = markedRecord(QStringLiteral("old"));
    model.GetItemData(0, CaptionSelector, captionOnly);
    QCOMPARE(captionOnly.Caption, QStringLiteral("/v/a.avi"));
    QCOMPARE(captionOnly.SubItems[0], QStringLiteral("old0"));
    QCOMPARE(captionOnly.Seconds[0], 777.0);

    ltvItemData whole;
    model.GetItemData(0, WholeRowSelector, whole);
    const ltvItemData untouched = markedRecord(QStringLiteral("old"));
    for (int selector = 0; selector < TaskSubItemCount; ++selector) {
        ltvItemData record = markedRecord(QStringLiteral("old"));
        model.GetItemData(0, selector, record);
        QCOMPARE(record.Caption, untouched.Caption);
        for (int slot = 0; slot < TaskSubItemCount; ++slot) {
            QCOMPARE(record.SubItems[slot],
                     slot == selector ? whole.SubItems[slot] : untouched.SubItems[slot]);
        }
        const int secondsIndex = secondsIndexOfSlot(selector);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(record.Seconds[i], i == secondsIndex ? whole.Seconds[i] : 777.0);
    }

    for (const int selector : {-3, 10, 42}) {
        ltvItemData record = markedRecord(QStringLiteral("old"));
        model.GetItemData(0, selector, record);
        QCOMPARE(record.Caption, QStringLiteral("old-caption"));
        QCOMPARE(record.SubItems[0], QStringLiteral("old0"));
        QCOMPARE(record.Seconds[0], 777.0);
    }
}

void TaskListModelTest::writesOneFieldPerSelector()
{
    for (int selector = -1; selector < TaskSubItemCount; ++selector) {
        TaskListModel model;
        fillTimedRow(model);
        ltvItemData before;
        model.GetItemData(0, WholeRowSelector, before);
        model.SetItemData(0, selector, markedRecord(QStringLiteral("new")));
        ltvItemData after;
        model.GetItemData(0, WholeRowSelector, after);
        QCOMPARE(after.Caption,
                 selector == CaptionSelector ? QStringLiteral("new-caption") : before.Caption);
        for (int slot = 0; slot < TaskSubItemCount; ++slot) {
            QCOMPARE(after.SubItems[slot], slot == selector
                                               ? QStringLiteral("new") + QString::number(slot)
                                               : before.SubItems[slot]);
        }
    }
    for (const int selector : {-3, 10}) {
        TaskListModel model;
        fillTimedRow(model);
        model.SetItemData(0, selector, markedRecord(QStringLiteral("new")));
        QCOMPARE(model.caption(0), QStringLiteral("/v/a.avi"));
        QCOMPARE(model.status(0), QStringLiteral("OK"));
    }
}

void TaskListModelTest::writesWholeRowButNeverSeconds()
{
    TaskListModel model;
    fillTimedRow(model);
    ltvItemData record = markedRecord(QStringLiteral("new"));
    record.SubItems[0] = QStringLiteral("00:00:10");
    record.Seconds[0] = 999;
    model.SetItemData(0, WholeRowSelector, record);
    ltvItemData read;
    model.GetItemData(0, WholeRowSelector, read);
    QCOMPARE(read.Caption, QStringLiteral("new-caption"));
    QCOMPARE(read.SubItems[9], QStringLiteral("new9"));
    // The seconds come from the text as shown, not from what was written.
    QCOMPARE(read.Seconds[0], 10.0);
}

void TaskListModelTest::announcesChangesToViews()
{
    TaskListModel model;
    fillTimedRow(model);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    model.setStatus(0, QStringLiteral("Converting"));
    QCOMPARE(model.status(0), QStringLiteral("Converting"));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), model.index(0, TaskListModel::StatusColumn));

    // A slot without a column changes nothing a view shows.
    model.SetItemData(0, 7, markedRecord(QStringLiteral("x")));
    QCOMPARE(changed.size(), 1);

    model.SetItemData(0, WholeRowSelector, markedRecord(QStringLiteral("y")));
    QCOMPARE(changed.size(), 2);
    QCOMPARE(changed.at(1).at(0).toModelIndex(), model.index(0, 0));
    QCOMPARE(changed.at(1).at(1).toModelIndex(), model.index(0, 3));
}

void TaskListModelTest::keepsModelContractThroughEdits()
{
    TaskListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QCOMPARE(model.appendRow(QStringLiteral("a")), 0);
    QCOMPARE(model.appendRow(QStringLiteral("b")), 1);
    QCOMPARE(model.appendRow(QStringLiteral("c")), 2);
    QCOMPARE(inserted.size(), 3);
    model.removeTaskRow(1);
    QCOMPARE(model.caption(1), QStringLiteral("c"));
    model.removeTaskRow(5);
    QCOMPARE(model.count(), 2);
    // Rows out of range are neither read nor written.
    ltvItemData record = markedRecord(QStringLiteral("old"));
    model.GetItemData(2, WholeRowSelector, record);
    QCOMPARE(record.Caption, QStringLiteral("old-caption"));
    model.SetItemData(-1, WholeRowSelector, record);
    model.clearRows();
    QCOMPARE(model.count(), 0);
    QCOMPARE(removed.size(), 2);
}

// A probed row keeps its exact play time and shows it in tenths; a job's
// states show the texts the list has always shown, and writing a row's own
// texts back loses nothing.
void TaskListModelTest::typedRowsShowTheirTexts()
{
    TaskListModel model;
    ProbeResult facts;
    facts.hasPlayTime = true;
    facts.seconds = 65.04;
    facts.width = 1280;
    facts.height = 720;
    model.insertTaskRows(0, {TaskRow::probedFile(QStringLiteral("/v/a.mp4"), facts)});
    QCOMPARE(model.data(model.index(0, TaskListModel::LengthColumn)).toString(),
             QStringLiteral("00:01:05"));
    QCOMPARE(model.data(model.index(0, TaskListModel::SizeColumn)).toString(),
             QStringLiteral("1280x720"));
    const QList<QPair<RowState, QString>> states{
        {RowState::Ready, "OK"},
        {RowState::Converting, "Converting"},
        {RowState::WaitingForJoining, "Waiting for joining"},
        {RowState::Joining, "Joining"},
        {RowState::Complete, "Complete"},
        {RowState::Failed, "Failed"},
        {RowState::Stopped, "Stopped"}};
    for (const auto &[state, text] : states) {
        model.setRowState(0, state);
        QCOMPARE(model.data(model.index(0, TaskListModel::StatusColumn)).toString(), text);
    }
    model.setStatus(0, QStringLiteral("Joining"));
    QCOMPARE(model.row(0).state, RowState::Joining);

    ltvItemData record;
    model.GetItemData(0, WholeRowSelector, record);
    model.SetItemData(0, WholeRowSelector, record);
    QCOMPARE(model.row(0).facts.seconds, 65.04);
    QVERIFY(model.row(0).probed);
    QVERIFY(model.row(0).writtenTexts.isEmpty());
}

QTEST_GUILESS_MAIN(TaskListModelTest)
#include "test_tasklistmodel.moc"
