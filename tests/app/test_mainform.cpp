#include "app/look/imagebutton.h"
#include "engine/job.h"
#include "mainformfixture.h"
#include "platform/translations.h"
#include "settings/opsettingform.h"
#include "settings/profiles.h"
#include "tasklist/orderedprobes.h"
#include "tasklist/tasklist.h"
#include "tasklist/tasklistmodel.h"
#include "testclips.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>
#include <QThreadPool>
#include <QToolButton>
#include <QTranslator>
#include <QTreeView>

class TestMainForm : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(clips.isValid());
        QVERIFY(makeClip(clip("big.mp4"), {1280, 720, 2.5, 25, true}));
        QVERIFY(makeClip(clip("small.avi"), {320, 240, 1.0, 30, false}));
    }

    void startsWithItsDesignState()
    {
        MainFormFixture f;
        TMainForm *w = f.createAndShow();
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("Brelvane V1.5"));
        QCOMPARE(w->labProgramName->text(), QStringLiteral("Brelvane"));
        QVERIFY(w->panltvTask->isVisible());
        for (QToolButton *b : {w->tbtnRemove, w->tbtnClear, w->tbtnUp, w->tbtnDown})
            QVERIFY(b->isEnabled());
        QVERIFY(w->panBottomCenter->isVisible());
        QVERIFY(!w->panBottomLeft->isVisible());
        QVERIFY(w->imgStart->isVisible());
        QVERIFY(!w->imgStop->isVisible());
        // The output field held the program directory during creation; with
        // nothing remembered it is empty once the window is shown.
        QCOMPARE(w->edtOutputFile->text(), QString());
        QCOMPARE(w->encoderPath(), f.programDir() + QStringLiteral("asapi.dll"));
        const QList<int> expected{350, 90, 80, 150};
        for (int c = 0; c < 4; ++c)
            QCOMPARE(w->ltvTask->columnWidth(c), expected[c]);
        QCOMPARE(w->rememberedListWidth(), w->ltvTask->width());
        QCOMPARE(w->cmbProfile->count(), ProfileCatalogue(f.programDir()).size());
        QVERIFY(f.messages.shown.isEmpty());
        QVERIFY(w->isEnabled());
        for (QWidget *top : QApplication::topLevelWidgets())
            QVERIFY2(top == w || !top->isVisible(), qPrintable(top->objectName()));
    }

    void versionComesFromThePreferences()
    {
        MainFormFixture f;
        QFile ini(f.filePath(QStringLiteral("Preferences.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Main]\nVersion=2.0\nOutput File=/tmp/x.avi\n");
        ini.close();
        TMainForm *w = f.createAndShow();
        QCOMPARE(w->windowTitle(), QStringLiteral("Brelvane V2.0"));
        QCOMPARE(w->edtOutputFile->text(), QStringLiteral("/tmp/x.avi"));
    }

    void startupArgumentsFillTheListWithRealFacts()
    {
        MainFormFixture f;
        TMainForm *w = f.createAndShow({clip("big.mp4"), clip("small.avi")});
        TaskListModel *model = w->taskList()->model();
        QCOMPARE(model->count(), 2);
        QVERIFY(!w->panltvTask->isVisible());
        ltvItemData row;
        model->GetItemData(0, -2, row);
        QCOMPARE(row.Caption, clip("big.mp4"));
        QVERIFY2(qAbs(row.Seconds[0] - 2.5) < 0.15, qPrintable(row.SubItems[0]));
        QCOMPARE(row.SubItems[1], QStringLiteral("1280x720"));
        QCOMPARE(row.SubItems[2], QStringLiteral("OK"));
        model->GetItemData(1, -2, row);
        QCOMPARE(row.SubItems[1], QStringLiteral("320x240"));
    }

    void sameFileTwiceAsksBeforeTheWindowShows()
    {
        MainFormFixture f;
        f.messages.answers = {false};
        TMainForm *w = f.create({clip("small.avi"), clip("small.avi")});
        QVERIFY(!w->isVisible());
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].title, QStringLiteral("Already Listed"));
        QCOMPARE(w->taskList()->count(), 1);
    }

    void dropOfUnsupportedFilesOnlyHidesThePanel()
    {
        MainFormFixture f;
        TMainForm *w = f.createAndShow();
        const QString rmvb = clips.filePath(QStringLiteral("x.rmvb"));
        QFile::copy(clip("small.avi"), rmvb);
        w->addDroppedNames({rmvb});
        QVERIFY(!w->panltvTask->isVisible());
        QVERIFY(!w->taskList()->isTakingIn());
        QCOMPARE(w->taskList()->count(), 0);
        QVERIFY(w->ltvTask->isVisible());
    }

    // The output field is a line edit, which would take the files' names as
    // its text; the drop must add them to the list instead.
    void dropOnTheOutputFieldAddsTheFiles()
    {
        MainFormFixture f;
        TMainForm *w = f.createAndShow();
        auto *field = w->findChild<QLineEdit *>(QStringLiteral("edtOutputFile"));
        QVERIFY(field);
        const QString before = field->text();
        QMimeData data;
        data.setUrls(
            {QUrl::fromLocalFile(clip("small.avi")), QUrl::fromLocalFile(clip("big.mp4"))});
        const QPoint middle = field->rect().center();
        QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(field, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(middle), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(field, &drop);
        QTRY_COMPARE(w->taskList()->count(), 2);
        QCOMPARE(field->text(), before);
    }

    void dropWhileTheListIsDisabledAddsNothing()
    {
        MainFormFixture f;
        TMainForm *w = f.createAndShow();
        w->ltvTask->setEnabled(false);
        w->addDroppedNames({clip("small.avi")});
        QCOMPARE(w->taskList()->count(), 0);
        QVERIFY(!w->panltvTask->isVisible());
    }

    void backspaceClearsAndDeleteRemovesSelected()
    {
        MainFormFixture f;
        TMainForm *w = f.createAndShow({clip("big.mp4"), clip("small.avi")});
        w->ltvTask->setFocus();
        w->ltvTask->selectionModel()->select(w->taskList()->model()->index(1, 0),
                                             QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
        QTest::keyClick(w->ltvTask, Qt::Key_Delete);
        QCOMPARE(w->taskList()->count(), 1);
        QVERIFY(w->tbtnRemove->isEnabled());
        w->ltvTask->selectionModel()->select(w->taskList()->model()->index(0, 0),
                                             QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
        QTest::keyClick(w->ltvTask, Qt::Key_Backspace);
        QCOMPARE(w->taskList()->count(), 0);
        for (QToolButton *b : {w->tbtnRemove, w->tbtnClear, w->tbtnUp, w->tbtnDown})
            QVERIFY(!b->isEnabled());
    }

    void addingEnablesTheRowButtonsAgain()
    {
        MainFormFixture f;
        TMainForm *w = f.createAndShow();
        w->tbtnClearClick();
        QVERIFY(!w->tbtnUp->isEnabled());
        f.choosers.openFilesReply = {clip("small.avi")};
        w->tbtnAddFileClick();
        QCOMPARE(f.choosers.lastSelectedFilter,
                 QStringLiteral("All Support Files(*.avi;*.mpg;*.mpeg;*.mp4;*.wmv;*.mov;*.vob;"
                                "*.asf;*.mkv;*.webm;*.m4v;*.3gp;*.3g2;*.ts;*.mts;*.m2ts;*.flv;"
                                "*.ogv;*.divx;) (*.avi *.mpg *.mpeg *.mp4 *.wmv *.mov *.vob "
                                "*.asf *.mkv *.webm *.m4v *.3gp *.3g2 *.ts *.mts *.m2ts *.flv "
                                "*.ogv *.divx)"));
        QTRY_COMPARE(w->taskList()->count(), 1);
        QVERIFY(w->tbtnUp->isEnabled());
        f.choosers.folderReply = clips.path();
        w->tbtnAddDirClick();
        QCOMPARE(f.choosers.lastTitle, QStringLiteral("Add a directory to the Task List"));
        QTRY_VERIFY(w->taskList()->count() >= 2);
    }

    void startWaitsForTheFilesComingIn()
    {
        MainFormFixture f;
        TMainForm *w = f.createAndShow();
        w->addDroppedNames({clip("big.mp4"), clip("small.avi")});
        QVERIFY(w->taskList()->isTakingIn());
        w->imgStartClick();
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].title, QStringLiteral("Files Still Coming In"));
        QVERIFY(!w->job()->isActive());
        QTRY_COMPARE(w->taskList()->count(), 2);
        QVERIFY(w->tbtnUp->isEnabled());

        // Closed while files come in: nothing is left to add rows to it.
        w->addDroppedNames({clip("small.avi")});
        f.window.reset();
        ProbeThreadPool()->waitForDone();
        QCoreApplication::processEvents();
    }

    // The copying profile offers only its chapters, and refuses videos of two
    // shapes.
    void copyProfileRefusesVideosThatDiffer()
    {
        MainFormFixture f;
        TMainForm *w = f.createAndShow({clip("big.mp4"), clip("small.avi")});
        const auto choose = [w](const char *profile) {
            w->cmbProfile->setCurrentIndex(w->cmbProfile->findText(QString::fromLatin1(profile)));
            w->cmbProfileChange();
        };
        choose("Same as the inputs (no re-encoding)");
        QVERIFY(w->bbtnSetting->isEnabled());
        for (const char *name : {"cmbVcodec", "cmbVbitrate", "cmbLoudness", "rdbManualSize"})
            QVERIFY2(!w->opSettingForm()->findChild<QWidget *>(name)->isEnabled(), name);
        QVERIFY(w->opSettingForm()->findChild<QWidget *>("cmbChapters")->isEnabled());
        w->edtOutputFile->setText(f.filePath(QStringLiteral("joined")));
        w->imgStartClick();
        // Start's checks run on a worker; the refusal comes when they end.
        QTRY_COMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].title, QStringLiteral("Videos Differ"));
        QVERIFY2(f.messages.shown[0].text.startsWith(
                     "\"small.avi\" differs from \"big.mp4\" in its container (AVI, not MPEG-4)"),
                 qPrintable(f.messages.shown[0].text));
        QVERIFY(!w->job()->isActive());
        // The output takes the first video's extension.
        QCOMPARE(w->edtOutputFile->text(), f.filePath(QStringLiteral("joined.mp4")));
        choose("AVI - MPEG-4 and MP3");
        QVERIFY(w->bbtnSetting->isEnabled());
    }

    void popupEnablesItsItemsByTheList()
    {
        MainFormFixture f;
        TMainForm *w = f.createAndShow({clip("small.avi")});
        auto *menu = w->findChild<QMenu *>(QStringLiteral("ppmTask"));
        QVERIFY(menu);
        QStringList texts;
        for (QAction *a : menu->actions())
            texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(texts,
                 (QStringList{"Open", "-", "Add Files...", "Add Directorys...", "-", "Remove",
                              "Clear", "-", "Sort by", "-", "Undo", "Redo", "Select All"}));
        w->ltvTask->clearSelection();
        w->ppmTaskPopup();
        QVERIFY(!menu->actions()[0]->isEnabled());
        QVERIFY(!menu->actions()[5]->isEnabled());
        QVERIFY(menu->actions()[6]->isEnabled());
        w->ltvTask->selectAll();
        w->ppmTaskPopup();
        QVERIFY(menu->actions()[0]->isEnabled());
        menu->actions()[0]->trigger();
        QCOMPARE(f.shell.opened, QStringList{clip("small.avi")});
    }

    void resizeMovesTheColumnsByTheirShares()
    {
        MainFormFixture f;
        TMainForm *w = f.createAndShow();
        const int before = w->ltvTask->width();
        QList<int> widths;
        for (int c = 0; c < 4; ++c)
            widths << w->ltvTask->columnWidth(c);
        w->resize(w->width() + 100, w->height());
        QTRY_COMPARE(w->ltvTask->width(), before + 100);
        QCOMPARE(w->ltvTask->columnWidth(0), widths[0] + 49);
        QCOMPARE(w->ltvTask->columnWidth(1), widths[1] + 17);
        QCOMPARE(w->ltvTask->columnWidth(2), widths[2] + 15);
        QCOMPARE(w->ltvTask->columnWidth(3), widths[3] + 19);
    }

    void openButtonOpensTheFileOrItsFolder()
    {
        MainFormFixture f;
        TMainForm *w = f.createAndShow();
        w->edtOutputFile->setText(clip("small.avi"));
        w->bbtnOpenClick();
        w->edtOutputFile->setText(clips.filePath(QStringLiteral("missing.avi")));
        w->bbtnOpenClick();
        w->edtOutputFile->setText(QStringLiteral("/no/such/folder/x.avi"));
        w->bbtnOpenClick();
        w->edtOutputFile->clear();
        w->bbtnOpenClick();
        QCOMPARE(f.shell.opened, (QStringList{clip("small.avi"), clips.path()}));
    }

    void saveDialogRemembersTheLastChoice()
    {
        MainFormFixture f;
        TMainForm *w = f.createAndShow();
        w->edtOutputFile->setText(QStringLiteral("/kept.avi"));
        f.choosers.saveReply = {};
        w->bbtnBrowserClick();
        QCOMPARE(w->edtOutputFile->text(), QStringLiteral("/kept.avi"));
        QCOMPARE(f.choosers.lastSelectedFilter, QStringLiteral("AVI Files (*.avi)"));
        QCOMPARE(f.choosers.lastStartPath, QString());
        QCOMPARE(f.choosers.lastDefaultSuffix, QStringLiteral("avi"));
        QCOMPARE(f.choosers.lastFilters.size(), 9);
        f.choosers.saveReply = {true, QStringLiteral("/out/joined.mp4"),
                                QStringLiteral("MP4 Files (*.mp4)")};
        w->bbtnBrowserClick();
        QCOMPARE(w->edtOutputFile->text(), QStringLiteral("/out/joined.mp4"));
        w->bbtnBrowserClick();
        QCOMPARE(f.choosers.lastStartPath, QStringLiteral("/out/joined.mp4"));
        QCOMPARE(f.choosers.lastSelectedFilter, QStringLiteral("MP4 Files (*.mp4)"));
    }

    void helpOpensThePageBesideTheProgram()
    {
        MainFormFixture f;
        TMainForm *w = f.createAndShow();
        QTest::mouseClick(w->tbtnHelp, Qt::LeftButton);
        QCOMPARE(f.shell.opened, QStringList{f.filePath(QStringLiteral("Brelvane.html"))});
        QVERIFY(QFile::exists(f.shell.opened.value(0)));
    }

    void closingRemembersProfileAndOutput()
    {
        MainFormFixture f;
        {
            TMainForm *w = f.createAndShow();
            if (w->cmbProfile->count() < 2)
                QSKIP("needs two shipped profiles");
            w->cmbProfile->setCurrentIndex(1);
            w->edtOutputFile->setText(QStringLiteral("/videos/out.avi"));
            w->close();
        }
        TMainForm *again = f.createAndShow();
        QCOMPARE(again->cmbProfile->currentIndex(), 1);
        QCOMPARE(again->edtOutputFile->text(), QStringLiteral("/videos/out.avi"));
    }

    void closingTellsWhenThePreferencesCannotBeWritten()
    {
        MainFormFixture f;
        TMainForm *w = f.createAndShow();
        // A folder where the file should be cannot be written, even by root.
        QVERIFY(QDir().mkdir(f.filePath(QStringLiteral("Preferences.ini"))));
        w->close();
        QVERIFY(!w->isVisible());
        QCOMPARE(f.messages.shown.size(), 1);
        QVERIFY(f.messages.shown[0].text.startsWith(QStringLiteral("Unable to write to ")));
    }

    // Not a check: with BRELVANE_SCREENSHOT_DIR set, saves pictures of the
    // window for the README.
    void screenshots()
    {
        const QString folder = qEnvironmentVariable("BRELVANE_SCREENSHOT_DIR");
        if (folder.isEmpty())
            QSKIP("BRELVANE_SCREENSHOT_DIR not set");
        MainFormFixture f;
        TMainForm *w = f.createAndShow();
        QVERIFY(w->grab().save(folder + QStringLiteral("/main-window-start.png")));
        w->addDroppedNames({clip("big.mp4"), clip("small.avi")});
        QTRY_COMPARE(w->taskList()->count(), 2);
        w->edtOutputFile->setText(QStringLiteral("/home/user/Videos/joined.avi"));
        QVERIFY(w->grab().save(folder + QStringLiteral("/main-window-list.png")));
        // A camera's numbered clips, put in order of their numbers.
        const QString camera = clips.filePath(QStringLiteral("camera"));
        QDir().mkpath(camera);
        for (const char *name : {"clip1.mp4", "clip10.mp4", "clip2.mp4"})
            QFile::copy(clip("big.mp4"), camera + QLatin1Char('/') + QLatin1String(name));
        w->tbtnClearClick();
        w->taskList()->AddTaskFolder(camera);
        QTRY_COMPARE(w->taskList()->count(), 3);
        w->taskList()->SortBy(TaskList::SortKey::Name);
        QVERIFY(w->grab().save(folder + QStringLiteral("/main-window-sorted.png")));
        w->bbtnSettingClick();
        QVERIFY(w->opSettingForm()->grab().save(folder + QStringLiteral("/output-settings.png")));
        w->opSettingForm()->hide();
        w->DisableJobControls();
        w->showProgressPanel(true);
        w->setProcessTitle(QStringLiteral("Prepare (Converting):"));
        w->setConvertingFile(QStringLiteral("small.avi"));
        w->setElapsedText(QStringLiteral("00:00:12"));
        w->setRemainingText(QStringLiteral("00:00:31"));
        w->setCurrentProgress(64, QStringLiteral("64%"));
        w->setTotalProgress(38, QStringLiteral("38%"));
        w->taskList()->model()->setStatus(0, QStringLiteral("Waiting for joining"));
        w->taskList()->model()->setStatus(1, QStringLiteral("Converting"));
        QVERIFY(w->grab().save(folder + QStringLiteral("/main-window-job.png")));
    }

    // With the German catalogue installed, as the program installs it for a
    // German desktop, every text of the window is German: none of the
    // English texts that a reader sees stays behind. With
    // BRELVANE_SCREENSHOT_DIR set, the German window is saved for the README.
    void speaksGermanWithItsCatalogue()
    {
        const auto shownTexts = [](QWidget *window) {
            QMap<QString, QString> texts;
            for (QLabel *label : window->findChildren<QLabel *>())
                texts.insert(label->objectName(), label->text());
            for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
                texts.insert(button->objectName(), button->text());
            for (QAction *action : window->findChildren<QAction *>())
                texts.insert(action->text(), action->text());
            return texts;
        };
        MainFormFixture english;
        const QMap<QString, QString> englishTexts = shownTexts(english.createAndShow());

        QTranslator german;
        QVERIFY(german.load(
            QStringLiteral("brelvane_de"),
            TranslationsDir(qEnvironmentVariable("BRELVANE_PROGRAM_DIR") + QLatin1Char('/'))));
        QCoreApplication::installTranslator(&german);
        const auto uninstall =
            qScopeGuard([&german] { QCoreApplication::removeTranslator(&german); });
        MainFormFixture f;
        TMainForm *w = f.createAndShow();
        QStringList unchanged;
        const QMap<QString, QString> germanTexts = shownTexts(w);
        for (auto it = germanTexts.cbegin(); it != germanTexts.cend(); ++it) {
            if (it.value().contains(QRegularExpression(QStringLiteral("[a-z]{2}"))) &&
                englishTexts.value(it.key()) == it.value())
                unchanged << it.key() + QStringLiteral(": ") + it.value();
        }
        // Names and the "Name" of the sort menu, which German shares.
        QCOMPARE(unchanged, (QStringList{QStringLiteral("Name: Name"),
                                         QStringLiteral("labProgramName: Brelvane")}));

        const QString folder = qEnvironmentVariable("BRELVANE_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            w->addDroppedNames({clip("big.mp4"), clip("small.avi")});
            QTRY_COMPARE(w->taskList()->count(), 2);
            w->edtOutputFile->setText(QStringLiteral("/home/user/Videos/verbunden.avi"));
            QVERIFY(w->grab().save(folder + QStringLiteral("/main-window-de.png")));
        }
    }

private:
    QString clip(const char *name) const { return clips.filePath(QString::fromLatin1(name)); }
    QTemporaryDir clips;
};

QTEST_MAIN(TestMainForm)
#include "test_mainform.moc"
