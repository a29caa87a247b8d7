// Jobs started from the main window: a real three-clip join with the real
// encoder; Stop, closing during a job and the power-off countdown with the
// fake one.
#include "frontend/jobpresenter.h"
#include "app/look/imagebutton.h"
#include "app/poweroffform.h"
#include "engine/job.h"
#include "mainformfixture.h"
#include "mediafacts.h"
#include "settings/opsettingform.h"
#include "settings/settingform.h"
#include "tasklist/mediaprobe.h"
#include "tasklist/tasklist.h"
#include "tasklist/tasklistmodel.h"
#include "tasklist/timetext.h"
#include "testclips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QToolButton>
#include <QTreeView>

namespace {

QByteArray digestOf(const QString &path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (file.open(QIODevice::ReadOnly))
        hash.addData(&file);
    return hash.result();
}

QStringList temporariesIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.avi")}, QDir::Files);
}

QStringList statusesOf(TMainForm *w)
{
    QStringList statuses;
    for (int row = 0; row < w->taskList()->count(); ++row)
        statuses << w->taskList()->model()->status(row);
    return statuses;
}

} // namespace

class TestMainFormJob : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(clips.isValid());
        QVERIFY(makeClip(clip("first.mp4"), {640, 360, 4.0, 25, true}));
        QVERIFY(makeClip(clip("second.avi"), {320, 240, 3.0, 25, true}));
        QVERIFY(makeClip(clip("third.mpg"), {352, 288, 5.0, 24, true}));
    }

    void threeRealClipsJoinThroughTheWindow()
    {
        MainFormFixture f;
        const QStringList inputs{clip("first.mp4"), clip("second.avi"), clip("third.mpg")};
        TMainForm *w = f.createAndShow(inputs);
        QCOMPARE(w->taskList()->count(), 3);
        QList<QByteArray> digests;
        double sum = 0;
        for (const QString &input : inputs) {
            digests << digestOf(input);
            sum += TimeTextToSeconds(ProbeMediaFile(input).lengthText());
        }
        const int avi = w->cmbProfile->findText(QStringLiteral("AVI - MPEG-4 and MP3"));
        QVERIFY(avi >= 0);
        w->cmbProfile->setCurrentIndex(avi);
        w->cmbProfileChange();
        const QString output = clips.filePath(QStringLiteral("joined"));
        w->edtOutputFile->setText(output);

        QSignalSpy ended(w->jobPresenter(), &JobPresenter::ended);
        QTest::mouseClick(w->imgStart, Qt::LeftButton);
        // Start's checks run on a worker; the window locks when they pass.
        QTRY_VERIFY(w->imgStop->isVisible());
        QVERIFY(!w->ltvTask->isEnabled());
        QVERIFY(w->panBottomLeft->isVisible());
        QVERIFY(ended.wait(240000));
        QCOMPARE(ended.first().first().toBool(), true);

        QCOMPARE(w->edtOutputFile->text(), output + QStringLiteral(".avi"));
        QCOMPARE(statusesOf(w), QStringList(3, QStringLiteral("Complete")));
        QCOMPARE(w->pgbTotal->value(), 100);
        QCOMPARE(f.messages.shown.last().text,
                 QStringLiteral("The joining is completed successfully."));
        QCOMPARE(f.shell.opened, QStringList{clips.path()});
        const ProbeResult joined = ProbeMediaFile(output + QStringLiteral(".avi"));
        QVERIFY(joined.hasPlayTime);
        const double length = TimeTextToSeconds(joined.lengthText());
        QVERIFY2(qAbs(length - sum) <= sum * 0.03,
                 qPrintable(QStringLiteral("%1 against %2").arg(length).arg(sum)));
        // The video runs the whole length, not frozen after a few frames.
        const double asked = w->opSettingForm()->workingSelection().videoBitrate.toDouble();
        const double kbit = VideoKbitPerSecond(output + QStringLiteral(".avi"));
        QVERIFY2(kbit > asked * 0.5, qPrintable(QStringLiteral("%1 kbit/s").arg(kbit)));
        QVERIFY(temporariesIn(f.filePath(QStringLiteral("temp"))).isEmpty());
        for (int i = 0; i < inputs.size(); ++i)
            QCOMPARE(digestOf(inputs[i]), digests[i]);
        QVERIFY(w->ltvTask->isEnabled());
        QVERIFY(w->imgStart->isVisible());
        QVERIFY(w->panBottomCenter->isVisible());
    }

    void stopDuringConversionUnlocksTheWindow()
    {
        qputenv("FAKE_ENCODER_MODE", "hang");
        MainFormFixture f(MainFormFixture::FakeEncoder);
        TMainForm *w = f.createAndShow({clip("first.mp4"), clip("second.avi")});
        w->edtOutputFile->setText(clips.filePath(QStringLiteral("stopped.avi")));
        QSignalSpy ended(w->jobPresenter(), &JobPresenter::ended);
        w->imgStartClick();
        QTRY_COMPARE(w->taskList()->model()->status(0), QStringLiteral("Converting"));
        QTest::mouseClick(w->imgStop, Qt::LeftButton);
        QVERIFY(w->imgStart->isVisible());
        QVERIFY(ended.wait(20000));
        // Both conversions ran at once (one per core), and both were stopped.
        const QString second =
            QThread::idealThreadCount() > 1 ? QStringLiteral("Stopped") : QStringLiteral("OK");
        QCOMPARE(statusesOf(w), (QStringList{QStringLiteral("Stopped"), second}));
        QCOMPARE(f.messages.shown.last().text, QStringLiteral("The Coversion is canceled."));
        QVERIFY(temporariesIn(f.filePath(QStringLiteral("temp"))).isEmpty());
        QVERIFY(w->ltvTask->isEnabled());
        QVERIFY(w->tbtnSetting->isEnabled());
        QVERIFY(w->panBottomCenter->isVisible());
        qunsetenv("FAKE_ENCODER_MODE");
    }

    // Closing during a job asks: No keeps the job running, Yes stops it and
    // the window closes once the job has wound down.
    void closingDuringAJobAsksToStopIt()
    {
        qputenv("FAKE_ENCODER_MODE", "hang");
        MainFormFixture f(MainFormFixture::FakeEncoder);
        TMainForm *w = f.createAndShow({clip("first.mp4"), clip("second.avi")});
        w->edtOutputFile->setText(clips.filePath(QStringLiteral("closed.avi")));
        QSignalSpy ended(w->jobPresenter(), &JobPresenter::ended);
        w->imgStartClick();
        QVERIFY(w->job()->isActive());
        f.messages.answers = {false};
        QVERIFY(!w->close());
        QCOMPARE(f.messages.shown.last().title, QStringLiteral("Job Running"));
        QVERIFY(w->job()->isActive());
        QTRY_VERIFY(w->imgStop->isVisible());
        QVERIFY(!w->close());
        QVERIFY(ended.wait(60000));
        // The job's own end message is shown in the still visible window,
        // then the window closes.
        QCOMPARE(f.messages.shown.last().text, QStringLiteral("The Coversion is canceled."));
        QTRY_VERIFY(!w->isVisible());
        QVERIFY(QFile::exists(f.filePath(QStringLiteral("Preferences.ini"))));
        qunsetenv("FAKE_ENCODER_MODE");
    }

    // "Turn off" asks first: Cancel keeps the computer on and ends the job
    // as usual; a countdown that runs out turns it off and ends the program.
    void turningOffCountsDownFirst()
    {
        qputenv("FAKE_ENCODER_MODE", "replay");
        MainFormFixture f(MainFormFixture::FakeEncoder);
        TMainForm *w = f.createAndShow({clip("first.mp4"), clip("second.avi")});
        w->cmbProfile->setCurrentText(QStringLiteral("AVI - MPEG-4 and MP3"));
        w->cmbProfileChange();
        w->settingForm()->findChild<QCheckBox *>(QStringLiteral("chkTurnoff"))->setChecked(true);
        TPowerOffForm *countdown = w->powerOffForm();
        QCOMPARE(countdown->objectName(), QStringLiteral("frmPowerOffCountdown"));
        QCOMPARE(countdown->parent(), nullptr);
        auto *label = countdown->findChild<QLabel *>(QStringLiteral("labCountdown"));
        QSignalSpy ended(w->jobPresenter(), &JobPresenter::ended);

        w->edtOutputFile->setText(clips.filePath(QStringLiteral("kept-on.avi")));
        w->imgStartClick();
        QTRY_VERIFY_WITH_TIMEOUT(countdown->isVisible(), 120000);
        QCOMPARE(label->text(), QStringLiteral("The computer will be turned off in 60 seconds."));
        QVERIFY(ended.isEmpty());
        const int shownBefore = f.messages.shown.size();
        QTest::mouseClick(countdown->findChild<QPushButton *>(QStringLiteral("btnCancelPowerOff")),
                          Qt::LeftButton);
        QVERIFY(ended.wait(20000));
        QCOMPARE(ended.takeFirst().first().toBool(), true);
        QVERIFY(!countdown->isVisible());
        QCOMPARE(f.power.calls, 0);
        QCOMPARE(f.messages.shown.size(), shownBefore + 1);
        QCOMPARE(f.messages.shown.last().text,
                 QStringLiteral("The joining is completed successfully."));
        QVERIFY(w->isVisible());
        QVERIFY(w->imgStart->isVisible());

        countdown->setSeconds(2);
        w->edtOutputFile->setText(clips.filePath(QStringLiteral("turned-off.avi")));
        w->imgStartClick();
        QTRY_VERIFY_WITH_TIMEOUT(countdown->isVisible(), 120000);
        QTRY_COMPARE(label->text(), QStringLiteral("The computer will be turned off in 1 second."));
        QVERIFY(ended.wait(20000));
        QCOMPARE(f.power.calls, 1);
        QCOMPARE(f.messages.shown.size(), shownBefore + 1);
        QVERIFY(QFile::exists(clips.filePath(QStringLiteral("turned-off.avi"))));
        QTRY_VERIFY(!w->isVisible());
        qunsetenv("FAKE_ENCODER_MODE");
    }

private:
    QString clip(const char *name) const { return clips.filePath(QString::fromLatin1(name)); }
    QTemporaryDir clips;
};

QTEST_MAIN(TestMainFormJob)
#include "test_mainformjob.moc"
