#include "app/jobsummary.h"
#include "tasklist/tasklistmodel.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestJobSummary : public QObject {
    Q_OBJECT
private slots:
    // One and a half minutes of video: at 1000 + 128 kbit/s that is
    // 1128 * 1000 / 8 * 90 bytes; copied, it is what the inputs hold.
    void figuresOfAKnownList()
    {
        QTemporaryDir dir;
        TaskListModel tasks;
        const QPair<const char *, int> files[] = {{"one.avi", 1000000}, {"two.avi", 500000}};
        const char *lengths[] = {"00:01:00", "00:00:30"};
        for (int i = 0; i < 2; ++i) {
            const QString path = dir.filePath(QString::fromLatin1(files[i].first));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(files[i].second));
            ltvItemData row;
            row.Caption = path;
            row.SubItems[LengthSlot] = QString::fromLatin1(lengths[i]);
            tasks.SetItemData(tasks.appendRow(path), WholeRowSelector, row);
        }
        const JobSummary encoded = SummarizeJob(tasks, false, 1000, 128);
        QCOMPARE(encoded.videos, 2);
        QCOMPARE(encoded.seconds, 90.0);
        QCOMPARE(encoded.outputBytes, qint64(12690000));
        QCOMPARE(JobSummaryText(encoded), QStringLiteral("2 videos, 00:01:30, about 12.7 MB"));
        const JobSummary copied = SummarizeJob(tasks, true, 1000, 128);
        QCOMPARE(copied.outputBytes, qint64(1500000));
        QCOMPARE(JobSummaryText(copied), QStringLiteral("2 videos, 00:01:30, about 1.5 MB"));
        QCOMPARE(JobSummaryText(JobSummary()), QString());
    }
};

QTEST_MAIN(TestJobSummary)
#include "test_jobsummary.moc"
