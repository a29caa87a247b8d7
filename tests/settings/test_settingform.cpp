#include "fakeseams.h"
#include "settings/settingform.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

// The keys of one section as they stand in the file, in file order.
QStringList keysOfSection(const QByteArray &text, const QString &section)
{
    QStringList keys;
    bool inside = false;
    for (const QByteArray &rawLine : text.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.startsWith('[')) {
            inside = line.compare('[' + section + ']', Qt::CaseInsensitive) == 0;
            continue;
        }
        if (inside && line.contains('='))
            keys << line.section('=', 0, 0);
    }
    return keys;
}

} // namespace

class TestSettingForm : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        folder = std::make_unique<QTemporaryDir>();
        programDir = folder->path() + "/";
        messages = FakeMessages();
        choosers = FakeChoosers();
        mainWindow = std::make_unique<QWidget>();
        mainWindow->resize(798, 559);
        mainWindow->show();
        mainOutput = QStringLiteral("/videos/joined.avi");
        saveDialogReply.clear();
        saveDialogCalls = 0;
        mainOutputWrites.clear();
    }
    void cleanup()
    {
        form.reset();
        mainWindow.reset();
        folder.reset();
    }

    void withoutPreferencesShowsDefaultsAndOkWritesMain()
    {
        create();
        QCOMPARE(form->parent(), nullptr);
        QCOMPARE(form->windowTitle(), QStringLiteral("Settings"));
        QCOMPARE(edit("edtOutputFile")->text(), QString());
        QCOMPARE(edit("edtTempDir")->text(), programDir + "temp/");
        QVERIFY(check("chkOpenDir")->isChecked());
        QVERIFY(!check("chkExit")->isChecked());
        QVERIFY(!check("chkTurnoff")->isChecked());
        QVERIFY(radio("rdbAsk")->isChecked());
        QVERIFY(!radio("rdbOverWrite")->isChecked() && !radio("rdbRename")->isChecked());

        form->show();
        QCOMPARE(edit("edtOutputFile")->text(), mainOutput);
        click("btnOK");
        QVERIFY(!form->isVisible());
        QVERIFY(mainWindow->isEnabled());
        const QByteArray written = readFile(programDir + "Preferences.ini");
        QCOMPARE(
            keysOfSection(written, "Main"),
            QStringList({"Output File", "Temp Dir", "Auto Open Dir", "Auto Exit", "Auto Turn Off",
                         "Ask", "Overwrite", "Rename", "Conversions At Once"}));
        const Preferences saved = LoadPreferences(programDir);
        QCOMPARE(saved.outputFile, mainOutput);
        QCOMPARE(saved.tempDir, programDir + "temp/");
        QVERIFY(saved.autoOpenDir && !saved.autoExit && !saved.autoTurnOff);
        QVERIFY(saved.ask && !saved.overwrite && !saved.rename);
        QCOMPARE(saved.conversionsAtOnce, DefaultConversionsAtOnce());
    }

    // The field is live for the job, saved by OK only, put back by Cancel and
    // reset by Load Default.
    void conversionsAtOnceRoundTrip()
    {
        writeFile(programDir + "Preferences.ini", "[Main]\nConversions At Once=3\n"
                                                  "[Default]\nConversions At Once=2\n");
        create();
        QSpinBox *field = form->findChild<QSpinBox *>("spnConversions");
        QVERIFY(field);
        QCOMPARE(field->minimum(), 1);
        QCOMPARE(field->maximum(), 64);
        QCOMPARE(field->value(), 3);
        // The label's text ends clear of its field.
        const auto *label = form->findChild<QLabel *>("labConversions");
        QVERIFY(label->x() + label->sizeHint().width() + 6 <= field->x());
        QCOMPARE(label->buddy(), field);
        form->show();
        field->setValue(5);
        QCOMPARE(form->shownPreferences().conversionsAtOnce, 5);
        QCOMPARE(LoadPreferences(programDir).conversionsAtOnce, 3);
        click("btnOK");
        QCOMPARE(LoadPreferences(programDir).conversionsAtOnce, 5);

        form->show();
        field->setValue(7);
        click("btnCancel");
        QCOMPARE(field->value(), 5);
        form->show();
        click("btnDefault"); // the fake answers Yes
        QCOMPARE(field->value(), 2);
        click("btnOK");
        QCOMPARE(LoadPreferences(programDir).conversionsAtOnce, 2);
    }

    void overwriteKeysAreAppliedInOrderAndCanLeaveNoneSelected_data()
    {
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<QString>("selected");
        QTest::newRow("ask and overwrite")
            << QByteArray("Ask=1\nOverwrite=1\nRename=0\n") << "rdbOverWrite";
        QTest::newRow("all three") << QByteArray("Ask=1\nOverwrite=1\nRename=1\n") << "rdbRename";
        QTest::newRow("none") << QByteArray("Ask=0\nOverwrite=0\nRename=0\n") << "";
    }
    void overwriteKeysAreAppliedInOrderAndCanLeaveNoneSelected()
    {
        QFETCH(QByteArray, keys);
        QFETCH(QString, selected);
        writeFile(programDir + "Preferences.ini", "[Main]\nTemp Dir=/scratch\n" + keys);
        create();
        QCOMPARE(edit("edtTempDir")->text(), QStringLiteral("/scratch"));
        QCOMPARE(radio("rdbAsk")->isChecked(), selected == "rdbAsk");
        QCOMPARE(radio("rdbOverWrite")->isChecked(), selected == "rdbOverWrite");
        QCOMPARE(radio("rdbRename")->isChecked(), selected == "rdbRename");
        QCOMPARE(form->shownPreferences().ask, selected == "rdbAsk");
        QCOMPARE(form->shownPreferences().overwrite, selected == "rdbOverWrite");
        QCOMPARE(form->shownPreferences().rename, selected == "rdbRename");
    }

    void cancelPutsBackWhatWasShownAtOpening()
    {
        writeFile(programDir + "Preferences.ini",
                  "[Main]\nTemp Dir=/scratch/\nAuto Exit=1\nAsk=0\nRename=1\n");
        create();
        form->show();
        QVERIFY(!mainWindow->isEnabled());
        editEverything();
        click("btnCancel");
        QVERIFY(!form->isVisible());
        QVERIFY(mainWindow->isEnabled());
        QCOMPARE(edit("edtOutputFile")->text(), mainOutput);
        QCOMPARE(edit("edtTempDir")->text(), QStringLiteral("/scratch/"));
        QVERIFY(check("chkOpenDir")->isChecked());
        QVERIFY(check("chkExit")->isChecked());
        QVERIFY(!check("chkTurnoff")->isChecked());
        QVERIFY(radio("rdbRename")->isChecked());
        QVERIFY(!radio("rdbAsk")->isChecked() && !radio("rdbOverWrite")->isChecked());
        QCOMPARE(mainOutputWrites, QStringList());
        QVERIFY(!readFile(programDir + "Preferences.ini").contains("Output File"));
    }

    void cancelRestoresAStateWithNoOverwriteChoice()
    {
        writeFile(programDir + "Preferences.ini", "[Main]\nAsk=0\n");
        create();
        form->show();
        radio("rdbOverWrite")->click();
        click("btnCancel");
        QVERIFY(!radio("rdbAsk")->isChecked());
        QVERIFY(!radio("rdbOverWrite")->isChecked());
        QVERIFY(!radio("rdbRename")->isChecked());
    }

    void closeButtonKeepsTheEditsLiveWithoutSaving()
    {
        writeFile(programDir + "Preferences.ini", "[Main]\nAuto Exit=1\n");
        create();
        form->show();
        check("chkExit")->click();
        edit("edtTempDir")->setText("/elsewhere/");
        QVERIFY(form->close());
        QVERIFY(!form->isVisible());
        QVERIFY(mainWindow->isEnabled());
        QVERIFY(!form->shownPreferences().autoExit);
        QCOMPARE(form->shownPreferences().tempDir, QStringLiteral("/elsewhere/"));
        QCOMPARE(LoadPreferences(programDir).autoExit, true);

        // Opening again starts from the kept edits.
        form->show();
        QVERIFY(!check("chkExit")->isChecked());
        click("btnCancel");
        QVERIFY(!check("chkExit")->isChecked());
    }

    void loadDefaultAsksFirstAndLeavesTheTempFolder()
    {
        writeFile(programDir + "Preferences.ini",
                  "[Main]\nTemp Dir=/scratch/\n"
                  "[Default]\nOutput File=/factory/out.avi\nAuto Exit=1\nAsk=0\nOverwrite=1\n");
        const QByteArray before = readFile(programDir + "Preferences.ini");
        create();
        form->show();
        messages.answers = {false};
        click("btnDefault");
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].kind, ShownMessage::Ask);
        QCOMPARE(messages.shown[0].title, QStringLiteral("Load Default"));
        QCOMPARE(messages.shown[0].text,
                 QStringLiteral("Are you sure to load the default preferences?"));
        QCOMPARE(edit("edtOutputFile")->text(), mainOutput);
        QVERIFY(radio("rdbAsk")->isChecked());

        messages.answers = {true};
        click("btnDefault");
        QCOMPARE(edit("edtOutputFile")->text(), QStringLiteral("/factory/out.avi"));
        QCOMPARE(edit("edtTempDir")->text(), QStringLiteral("/scratch/"));
        QVERIFY(!check("chkOpenDir")->isChecked()); // the Default section's own default
        QVERIFY(check("chkExit")->isChecked());
        QVERIFY(!check("chkTurnoff")->isChecked());
        QVERIFY(radio("rdbOverWrite")->isChecked());
        QVERIFY(!radio("rdbAsk")->isChecked());
        QCOMPARE(readFile(programDir + "Preferences.ini"), before);

        click("btnOK");
        const Preferences saved = LoadPreferences(programDir);
        QCOMPARE(saved.outputFile, QStringLiteral("/factory/out.avi"));
        QCOMPARE(saved.tempDir, QStringLiteral("/scratch/"));
        QVERIFY(!saved.autoOpenDir && saved.autoExit && saved.overwrite && !saved.ask);
        QCOMPARE(mainOutputWrites, QStringList({"/factory/out.avi"}));
    }

    void loadDefaultWithoutDefaultSectionThenCancel()
    {
        writeFile(programDir + "Preferences.ini",
                  "[Main]\nAuto Exit=1\nAuto Turn Off=1\nAsk=0\nRename=1\n");
        create();
        form->show();
        click("btnDefault"); // the fake answers Yes
        QCOMPARE(edit("edtOutputFile")->text(), QString());
        QVERIFY(!check("chkOpenDir")->isChecked());
        QVERIFY(!check("chkExit")->isChecked());
        QVERIFY(!check("chkTurnoff")->isChecked());
        QVERIFY(radio("rdbAsk")->isChecked());
        QVERIFY(!radio("rdbRename")->isChecked());

        click("btnCancel");
        QCOMPARE(edit("edtOutputFile")->text(), mainOutput);
        QVERIFY(check("chkOpenDir")->isChecked());
        QVERIFY(check("chkExit")->isChecked());
        QVERIFY(check("chkTurnoff")->isChecked());
        QVERIFY(radio("rdbRename")->isChecked());
        QVERIFY(!radio("rdbAsk")->isChecked());
    }

    void folderButtonAddsOneTrailingSeparator()
    {
        create();
        form->show();
        choosers.folderReply = QStringLiteral("/data/tmp");
        click("SpeedButton2");
        QCOMPARE(edit("edtTempDir")->text(), QStringLiteral("/data/tmp/"));
        QCOMPARE(choosers.lastTitle, QStringLiteral("Select the output directory."));
        QCOMPARE(choosers.lastStartFolder, QString());

        choosers.folderReply = QStringLiteral("/");
        click("SpeedButton2");
        QCOMPARE(edit("edtTempDir")->text(), QStringLiteral("/"));

        choosers.folderReply.clear(); // cancelled
        click("SpeedButton2");
        QCOMPARE(edit("edtTempDir")->text(), QStringLiteral("/"));
        QCOMPARE(choosers.folderCalls, 3);
    }

    void outputButtonUsesTheMainWindowsSaveDialog()
    {
        create();
        form->show();
        saveDialogReply = QStringLiteral("/videos/new.mpg");
        click("SpeedButton1");
        QCOMPARE(edit("edtOutputFile")->text(), QStringLiteral("/videos/new.mpg"));
        saveDialogReply.clear();
        click("SpeedButton1");
        QCOMPARE(edit("edtOutputFile")->text(), QStringLiteral("/videos/new.mpg"));
        QCOMPARE(saveDialogCalls, 2);
    }

    void failedWriteIsReportedAndTheDialogStaysOpen()
    {
        // A folder where the file should be cannot be written over, even by root.
        QVERIFY(QDir(programDir).mkdir("Preferences.ini"));
        create();
        form->show();
        edit("edtOutputFile")->setText("/videos/typed.avi");
        click("btnOK");
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].kind, ShownMessage::Inform);
        QCOMPARE(messages.shown[0].text,
                 QStringLiteral("Unable to write to ") + programDir + "Preferences.ini");
        QVERIFY(!messages.shown[0].title.isEmpty());
        QVERIFY(form->isVisible());
        QVERIFY(!mainWindow->isEnabled());
        QCOMPARE(mainOutputWrites, QStringList({"/videos/typed.avi"}));
    }

private:
    void create()
    {
        form = std::make_unique<TSettingForm>(programDir, &messages, &choosers, mainWindow.get());
        form->mainOutputText = [this] { return mainOutput; };
        form->setMainOutputText = [this](const QString &text) { mainOutputWrites << text; };
        form->chooseOutputFile = [this] {
            ++saveDialogCalls;
            return saveDialogReply;
        };
    }
    void editEverything()
    {
        edit("edtOutputFile")->setText("/changed/out.avi");
        edit("edtTempDir")->setText("/changed/tmp/");
        check("chkOpenDir")->click();
        check("chkExit")->click();
        check("chkTurnoff")->click();
        radio("rdbOverWrite")->click();
    }
    QLineEdit *edit(const char *name) const { return form->findChild<QLineEdit *>(name); }
    QCheckBox *check(const char *name) const { return form->findChild<QCheckBox *>(name); }
    QRadioButton *radio(const char *name) const { return form->findChild<QRadioButton *>(name); }
    QPushButton *button(const char *name) const { return form->findChild<QPushButton *>(name); }
    void click(const char *name) const
    {
        auto *target = form->findChild<QAbstractButton *>(name);
        QVERIFY2(target, name);
        QTest::mouseClick(target, Qt::LeftButton);
    }

    std::unique_ptr<QTemporaryDir> folder;
    QString programDir;
    FakeMessages messages;
    FakeChoosers choosers;
    std::unique_ptr<QWidget> mainWindow;
    std::unique_ptr<TSettingForm> form;
    QString mainOutput;
    QStringList mainOutputWrites;
    QString saveDialogReply;
    int saveDialogCalls = 0;
};

QTEST_MAIN(TestSettingForm)
#include "test_settingform.moc"
