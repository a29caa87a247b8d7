#pragma once

#include "settings/preferences.h"

#include "platform/mainwindowdialog.h"
#include <functional>

class Choosers;
class Messages;
class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

// The "Settings" dialog. Its controls are the preferences of the run: Start
// takes their values (shownPreferences) for the job it starts, and only OK
// writes them to Preferences.ini. Created once, hidden when closed. It is a
// top-level window of its own, not a child of the main window, because it
// disables the main window while it is up.
class TSettingForm : public MainWindowDialog {
    Q_OBJECT

public:
    // programDir ends in "/". Reads the preferences into the controls.
    TSettingForm(const QString &programDir, Messages *messages, Choosers *choosers,
                 QWidget *mainWindow);

    // Set by the main window: its output field, and its save dialog (an empty
    // text when the user cancelled).
    std::function<QString()> mainOutputText;
    std::function<void(const QString &)> setMainOutputText;
    std::function<QString()> chooseOutputFile;

    // What the controls show, as the values of Preferences.ini.
    Preferences shownPreferences() const;

    void btnOKClick();
    void btnCancelClick();
    void btnDefaultClick();
    void SpeedButton1Click();
    void SpeedButton2Click();

protected:
    void FormShow() override;
    // Escape cancels like the Cancel button.
    void reject() override;

private:
    void buildControls();
    void buildOverwriteGroup();
    void buildConversionsField();
    void buildButtons();
    void FormCreate();
    void showPreferences(const Preferences &values);
    void showChoices(const Preferences &values);

    QString ProgramDir;
    Messages *Msgs;
    Choosers *Choose;
    Preferences Remembered;

    QLineEdit *edtOutputFile = nullptr, *edtTempDir = nullptr;
    QCheckBox *chkOpenDir = nullptr, *chkExit = nullptr, *chkTurnoff = nullptr;
    QRadioButton *rdbAsk = nullptr, *rdbOverWrite = nullptr, *rdbRename = nullptr;
    QSpinBox *spnConversions = nullptr;
};
