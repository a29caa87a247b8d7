#include "settings/settingform.h"

#include "platform/choosers.h"
#include "platform/filepaths.h"
#include "platform/messages.h"
#include "settings/inifile.h"
#include "settings/programinfo.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <algorithm>

namespace {

template <typename Control> Control *named(Control *control, const char *name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption, int top)
{
    auto *box = named(new QCheckBox(caption, parent), name);
    box->setGeometry(16, top, 407, 20);
    return box;
}

QRadioButton *radioButton(QWidget *parent, const char *name, const QString &caption, int top)
{
    auto *button = named(new QRadioButton(caption, parent), name);
    button->setGeometry(12, top, 380, 20);
    return button;
}

QPushButton *pushButton(QWidget *parent, const char *name, const QString &caption,
                        const QRect &place)
{
    auto *button = named(new QPushButton(caption, parent), name);
    button->setGeometry(place);
    button->setAutoDefault(false);
    return button;
}

QToolButton *browseButton(QWidget *parent, const char *name, QStyle::StandardPixmap picture,
                          int top)
{
    auto *button = named(new QToolButton(parent), name);
    button->setIcon(parent->style()->standardIcon(picture));
    button->setGeometry(400, top, 23, 23);
    return button;
}

// Windows radio buttons can all be clear; Qt refuses to clear the checked one
// of an exclusive set, so exclusivity is lifted for the moment of a clear.
void setRadio(QRadioButton *button, bool checked)
{
    if (checked) {
        button->setChecked(true);
        return;
    }
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
}

} // namespace

TSettingForm::TSettingForm(const QString &programDir, Messages *messages, Choosers *choosers,
                           QWidget *mainWindow)
    : MainWindowDialog(mainWindow)
    , ProgramDir(programDir)
    , Msgs(messages)
    , Choose(choosers)
{
    setObjectName(QStringLiteral("SettingForm"));
    setWindowTitle(tr("Settings"));
    QFont pixelFont = font();
    pixelFont.setPixelSize(11);
    setFont(pixelFont);
    setFixedSize(439, 355);
    buildControls();
    findChild<QLabel *>(QStringLiteral("labOutputFile"))->setBuddy(edtOutputFile);
    findChild<QLabel *>(QStringLiteral("labTempDir"))->setBuddy(edtTempDir);
    buildOverwriteGroup();
    buildConversionsField();
    buildButtons();
    FormCreate();
}

void TSettingForm::buildControls()
{
    named(new QLabel(tr("Default Output File:"), this), "labOutputFile")->move(16, 16);
    edtOutputFile = named(new QLineEdit(this), "edtOutputFile");
    edtOutputFile->setGeometry(16, 34, 380, 21);
    connect(browseButton(this, "SpeedButton1", QStyle::SP_DialogSaveButton, 33),
            &QToolButton::clicked, this, &TSettingForm::SpeedButton1Click);

    named(new QLabel(tr("Temp Folder:"), this), "labTempDir")->move(16, 64);
    edtTempDir = named(new QLineEdit(this), "edtTempDir");
    edtTempDir->setGeometry(16, 82, 380, 21);
    connect(browseButton(this, "SpeedButton2", QStyle::SP_DirOpenIcon, 81), &QToolButton::clicked,
            this, &TSettingForm::SpeedButton2Click);

    chkOpenDir = checkBox(this, "chkOpenDir",
                          tr("Open the output directory when the task is completed. "), 114);
    chkExit = checkBox(this, "chkExit", tr("Exit the program when the task is completed."), 136);
    chkTurnoff =
        checkBox(this, "chkTurnoff", tr("Turn off the computer when the task is completed."), 158);
}

void TSettingForm::buildOverwriteGroup()
{
    auto *gpbOverWrite = named(new QGroupBox(tr("Output File Overwrite"), this), "gpbOverWrite");
    gpbOverWrite->setGeometry(16, 186, 407, 92);
    rdbAsk = radioButton(gpbOverWrite, "rdbAsk", tr("Ask me."), 20);
    rdbOverWrite = radioButton(gpbOverWrite, "rdbOverWrite", tr("Overwrite"), 42);
    rdbRename = radioButton(gpbOverWrite, "rdbRename",
                            tr("Not overwrite (Rename to <Filename> + Index"), 64);
    rdbAsk->setChecked(true);
}

// A job reads the field when it starts, so a change counts from the next job.
void TSettingForm::buildConversionsField()
{
    auto *label = named(new QLabel(tr("Conversions at once:"), this), "labConversions");
    label->move(16, 291);
    label->adjustSize();
    spnConversions = named(new QSpinBox(this), "spnConversions");
    // The box follows the label's own width, whatever the font makes of it.
    spnConversions->setGeometry(std::max(130, label->geometry().right() + 9), 288, 56, 21);
    spnConversions->setRange(1, MaxConversionsAtOnce);
    spnConversions->setToolTip(
        tr("How many files are converted at the same time; one per core uses "
           "the whole computer."));
    label->setBuddy(spnConversions);
}

void TSettingForm::buildButtons()
{
    connect(pushButton(this, "btnDefault", tr("&Load Default"), {16, 320, 90, 25}),
            &QPushButton::clicked, this, &TSettingForm::btnDefaultClick);
    QPushButton *btnOK = pushButton(this, "btnOK", tr("&OK"), {268, 320, 75, 25});
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &TSettingForm::btnOKClick);
    connect(pushButton(this, "btnCancel", tr("&Cancel"), {348, 320, 75, 25}), &QPushButton::clicked,
            this, &TSettingForm::btnCancelClick);
}

void TSettingForm::FormCreate()
{
    showPreferences(LoadPreferences(ProgramDir));
}

void TSettingForm::showPreferences(const Preferences &values)
{
    edtOutputFile->setText(values.outputFile);
    edtTempDir->setText(values.tempDir);
    showChoices(values);
}

// Everything but the two folders. The three overwrite keys are independent in
// the file; applied in this order a later one wins, and all three clear leaves
// no button selected.
void TSettingForm::showChoices(const Preferences &values)
{
    chkOpenDir->setChecked(values.autoOpenDir);
    chkExit->setChecked(values.autoExit);
    chkTurnoff->setChecked(values.autoTurnOff);
    setRadio(rdbAsk, values.ask);
    setRadio(rdbOverWrite, values.overwrite);
    setRadio(rdbRename, values.rename);
    spnConversions->setValue(values.conversionsAtOnce);
}

Preferences TSettingForm::shownPreferences() const
{
    Preferences values;
    values.outputFile = edtOutputFile->text();
    values.tempDir = edtTempDir->text();
    values.autoOpenDir = chkOpenDir->isChecked();
    values.autoExit = chkExit->isChecked();
    values.autoTurnOff = chkTurnoff->isChecked();
    values.ask = rdbAsk->isChecked();
    values.overwrite = rdbOverWrite->isChecked();
    values.rename = rdbRename->isChecked();
    values.conversionsAtOnce = spnConversions->value();
    return values;
}

void TSettingForm::FormShow()
{
    if (mainOutputText)
        edtOutputFile->setText(mainOutputText());
    Remembered = shownPreferences();
}

void TSettingForm::btnOKClick()
{
    if (setMainOutputText)
        setMainOutputText(edtOutputFile->text());
    try {
        SavePreferences(ProgramDir, shownPreferences());
    } catch (const IniWriteError &error) {
        Msgs->inform(ProgramInfo::ProgramName, QString::fromStdString(error.what()));
        return;
    }
    close();
}

void TSettingForm::btnCancelClick()
{
    close();
    showPreferences(Remembered);
}

void TSettingForm::btnDefaultClick()
{
    if (!Msgs->ask(tr("Load Default"), tr("Are you sure to load the default preferences?")))
        return;
    const Preferences defaults = LoadDefaultPreferences(ProgramDir);
    edtOutputFile->setText(defaults.outputFile);
    showChoices(defaults);
}

void TSettingForm::SpeedButton1Click()
{
    if (!chooseOutputFile)
        return;
    const QString chosen = chooseOutputFile();
    if (!chosen.isEmpty())
        edtOutputFile->setText(chosen);
}

void TSettingForm::SpeedButton2Click()
{
    const QString folder =
        Choose->chooseFolder(this, tr("Select the output directory."), QString());
    if (!folder.isEmpty())
        edtTempDir->setText(AddTrailingSeparator(folder));
}

void TSettingForm::reject()
{
    btnCancelClick();
}
