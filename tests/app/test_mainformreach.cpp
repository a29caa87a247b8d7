// The main window reached without a mouse, by a screen reader, and with its
// dialogs kept in front of it.
#include "app/aboutform.h"
#include "frontend/jobpresenter.h"
#include "app/look/imagebutton.h"
#include "app/poweroffform.h"
#include "engine/job.h"
#include "mainformfixture.h"
#include "platform/qtmessages.h"
#include "settings/opsettingform.h"
#include "settings/profiles.h"
#include "settings/settingform.h"
#include "tasklist/inputtypes.h"
#include "tasklist/tasklist.h"
#include "tasklist/tasklistmodel.h"
#include "testclips.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <QWindow>

namespace {

QStringList captions(TMainForm *w)
{
    QStringList list;
    for (int row = 0; row < w->taskList()->count(); ++row)
        list << w->taskList()->model()->caption(row);
    return list;
}

} // namespace

class TestMainFormReach : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(clips.isValid());
        QVERIFY(makeClip(clips.filePath(QStringLiteral("a.mp4")), {}));
        QVERIFY(makeClip(clips.filePath(QStringLiteral("b.avi")), {}));
    }

    // From a fresh start with files on the command line: Tab reaches Join,
    // Enter on it starts the job; Escape asks before it stops the job, and
    // Ctrl+Return starts the next one.
    void aJobRunsWithTheKeyboardAlone()
    {
        qputenv("FAKE_ENCODER_MODE", "hang");
        MainFormFixture f(MainFormFixture::FakeEncoder);
        TMainForm *w = f.createAndShow(
            {clips.filePath(QStringLiteral("a.mp4")), clips.filePath(QStringLiteral("b.avi"))});
        QVERIFY(w);
        QApplication::setActiveWindow(w);
        w->edtOutputFile->setFocus();
        QTest::keyClicks(w->edtOutputFile, clips.filePath(QStringLiteral("out.avi")));
        int tabs = 0;
        while (QApplication::focusWidget() != w->imgStart && tabs++ < 10)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w->imgStart));
        QSignalSpy ended(w->jobPresenter(), &JobPresenter::ended);
        QTest::keyClick(w->imgStart, Qt::Key_Return);
        QVERIFY(w->job()->isActive());
        // Start's checks run on a worker; the window locks when they pass.
        QTRY_VERIFY(w->imgStop->isVisible());

        f.messages.answers = {false};
        QTest::keyClick(w, Qt::Key_Escape);
        QCOMPARE(f.messages.shown.last().title, QStringLiteral("Stop"));
        QVERIFY(w->job()->isActive());
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(ended.wait(60000));

        QTest::keyClick(w, Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(w->job()->isActive());
        w->imgStopClick();
        QVERIFY(ended.wait(60000));
        qunsetenv("FAKE_ENCODER_MODE");
    }

    // Backspace empties the list; Ctrl+Z brings the rows back in their
    // order, Ctrl+Shift+Z empties it again. The summary follows.
    void undoBringsClearedRowsBack()
    {
        MainFormFixture f;
        TMainForm *w = f.createAndShow(
            {clips.filePath(QStringLiteral("b.avi")), clips.filePath(QStringLiteral("a.mp4"))});
        QApplication::setActiveWindow(w);
        const QStringList listed = captions(w);
        QCOMPARE(listed.size(), 2);
        QVERIFY(w->labSummary->text().startsWith(QStringLiteral("2 videos, 00:00:02, about ")));
        w->ltvTask->setFocus();
        QTest::keyClick(w->ltvTask, Qt::Key_Backspace);
        QCOMPARE(w->taskList()->count(), 0);
        QCOMPARE(w->labSummary->text(), QString());
        QTest::keyClick(w->ltvTask, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(captions(w), listed);
        QVERIFY(w->tbtnUp->isEnabled());
        QVERIFY(w->labSummary->text().startsWith(QStringLiteral("2 videos")));
        QTest::keyClick(w->ltvTask, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w->taskList()->count(), 0);
        QVERIFY(!w->tbtnUp->isEnabled());
    }

    // A job that ends while the window is not in front is told to the
    // desktop once, with its result and the output's name; its progress goes
    // to the task bar entry and is taken away at the end.
    void theDesktopHearsOfAJobsEnd()
    {
        qputenv("FAKE_ENCODER_MODE", "replay");
        MainFormFixture f(MainFormFixture::FakeEncoder);
        TMainForm *w = f.createAndShow(
            {clips.filePath(QStringLiteral("a.mp4")), clips.filePath(QStringLiteral("b.avi"))});
        const QString output = clips.filePath(QStringLiteral("told.avi"));
        w->cmbProfile->setCurrentText(QStringLiteral("AVI - MPEG-4 and MP3"));
        w->cmbProfileChange();
        w->edtOutputFile->setText(output);
        QApplication::setActiveWindow(nullptr);
        QSignalSpy ended(w->jobPresenter(), &JobPresenter::ended);
        w->imgStartClick();
        QVERIFY(ended.wait(120000));
        QCOMPARE(f.messages.shown.last().title, QStringLiteral("Complete"));
        QCOMPARE(f.notices.notifications,
                 QStringList{QStringLiteral("Complete|The joining is completed successfully.\n") +
                             output});
        QCOMPARE(f.notices.alerts, 1);
        QVERIFY(f.notices.progress.size() >= 2);
        QCOMPARE(f.notices.progress.last(), -1.0);
        QVERIFY(f.notices.progress.contains(1.0));
        for (double sent : f.notices.progress)
            QVERIFY(sent == -1.0 || (sent >= 0 && sent <= 1));
        qunsetenv("FAKE_ENCODER_MODE");
    }

    // F1 opens the help page; when it cannot be opened the user is told
    // which file it is. The page describes every input type and profile.
    void helpIsReachedAndComplete()
    {
        MainFormFixture f;
        TMainForm *w = f.createAndShow();
        QApplication::setActiveWindow(w);
        const QString page = f.filePath(QStringLiteral("Brelvane.html"));
        QTest::keyClick(w, Qt::Key_F1);
        QCOMPARE(f.shell.opened, QStringList{page});
        QVERIFY(f.messages.shown.isEmpty());
        f.shell.opens = false;
        QTest::keyClick(w, Qt::Key_F1);
        QCOMPARE(f.messages.shown.size(), 1);
        QVERIFY(f.messages.shown[0].text.contains(page));

        QFile help(page);
        QVERIFY(help.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(help.readAll());
        for (const QString &type : InputExtensions()) {
            QVERIFY2(text.contains(type + QLatin1Char(',')) || text.contains(type + "</td>"),
                     qPrintable(type));
        }
        for (const QString &profile : ProfileCatalogue(f.programDir()))
            QVERIFY2(text.contains("<td>" + profile + "</td>"), qPrintable(profile));
    }

    // What a screen reader is told of each control.
    void controlsHaveNamesAndRoles()
    {
        MainFormFixture f;
        TMainForm *w = f.createAndShow();
        struct Expected {
            QWidget *control;
            QString name;
            QAccessible::Role role;
        };
        const Expected expected[] = {
            {w->imgStart, QStringLiteral("Join"), QAccessible::Button},
            {w->imgStop, QStringLiteral("Stop"), QAccessible::Button},
            {w->edtOutputFile, QStringLiteral("Output File:"), QAccessible::EditableText},
            // On this platform a combo box's name is its current text; its
            // label comes through the label relation (below).
            {w->cmbProfile, w->cmbProfile->currentText(), QAccessible::ComboBox},
            {w->ltvTask, QStringLiteral("Task List"), QAccessible::Tree},
            {w->tbtnAddFile, QStringLiteral("Add Files"), QAccessible::Button},
            {w->tbtnDown, QStringLiteral("Move Down"), QAccessible::Button},
            {w->bbtnBrowser, QStringLiteral("Browser"), QAccessible::Button},
        };
        for (const Expected &e : expected) {
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(e.control);
            QVERIFY2(face, qPrintable(e.control->objectName()));
            QCOMPARE(face->text(QAccessible::Name), e.name);
            QCOMPARE(face->role(), e.role);
            QVERIFY2(e.control->focusPolicy() & Qt::TabFocus, qPrintable(e.name));
        }
        const QPair<QWidget *, QString> labelled[] = {
            {w->cmbProfile, QStringLiteral("Profile:")},
            {w->edtOutputFile, QStringLiteral("Output File:")}};
        for (const auto &[field, label] : labelled) {
            const auto relations =
                QAccessible::queryAccessibleInterface(field)->relations(QAccessible::Label);
            QCOMPARE(relations.size(), 1);
            QCOMPARE(relations[0].first->text(QAccessible::Name), label);
        }
        QAccessibleInterface *join = QAccessible::queryAccessibleInterface(w->imgStart);
        QVERIFY(!join->text(QAccessible::Description).isEmpty());
        QVERIFY(join->actionInterface());
        QVERIFY(join->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
        QVERIFY(w->tbtnAddFile->toolTip().contains(QStringLiteral("Ctrl+O")));
        QVERIFY(w->imgStart->toolTip().contains(QStringLiteral("Ctrl+Return")));
    }

    void dialogsAreTransientForTheMainWindow()
    {
        MainFormFixture f;
        TMainForm *w = f.createAndShow();
        QVERIFY(w);
        const QList<QDialog *> dialogs{w->opSettingForm(), w->settingForm(), w->aboutForm(),
                                       w->powerOffForm()};
        for (QDialog *dialog : dialogs) {
            dialog->show();
            QVERIFY(dialog->windowHandle());
            QCOMPARE(dialog->windowHandle()->transientParent(), w->windowHandle());
            // The dialog stays a window of its own: it is not disabled with
            // the main window.
            QVERIFY(!w->isEnabled());
            QVERIFY(dialog->isEnabled());
            dialog->hide();
            QVERIFY(w->isEnabled());
            // A label that leads into a field is that field's buddy.
            for (QLabel *label : dialog->findChildren<QLabel *>()) {
                if (label->text().trimmed().endsWith(QLatin1Char(':')))
                    QVERIFY2(label->buddy(), qPrintable(label->objectName()));
            }
        }
        // With no window of the program active, a box belongs to the main
        // window.
        QtMessages messages;
        messages.setMainWindow(w);
        QApplication::setActiveWindow(nullptr);
        QCOMPARE(messages.owner(), static_cast<QWidget *>(w));
    }

private:
    QTemporaryDir clips;
};

QTEST_MAIN(TestMainFormReach)
#include "test_mainformreach.moc"
