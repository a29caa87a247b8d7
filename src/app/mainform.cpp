#include "app/mainform.h"

#include "app/aboutform.h"
#include "app/jobmessages.h"
#include "app/jobsummary.h"
#include "app/poweroffform.h"
#include "contract/encoderlines.h"
#include "engine/job.h"
#include "engine/tempfiles.h"
#include "platform/choosers.h"
#include "platform/filepaths.h"
#include "platform/messages.h"
#include "platform/shellopener.h"
#include "settings/inifile.h"
#include "settings/opsettingform.h"
#include "settings/preferences.h"
#include "settings/profiles.h"
#include "settings/programinfo.h"
#include "settings/settingform.h"
#include "tasklist/inputtypes.h"
#include "tasklist/tasklist.h"
#include "tasklist/tasklistmodel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QTreeView>

#include <algorithm>

namespace {

} // namespace

TMainForm::TMainForm(const QString &programDir, const DesktopSeams &seams,
                     const QStringList &arguments, QWidget *parent)
    : QWidget(parent)
    , ProgramDir(AddTrailingSeparator(programDir))
    , Seams(seams)
{
    setObjectName(QStringLiteral("MainForm"));
    buildLayout();
    FormCreate(arguments);
    createDialogs();
    // A run that crashed or was killed could not remove its temporaries.
    RemoveLeftoverJobFoldersFor(SettingForm->shownPreferences().tempDir, ProgramDir);
}

TMainForm::~TMainForm()
{
    // The job goes before the messages it was given.
    delete TheJob;
    // The dialogs are windows of their own, not children: disabling the main
    // window while one is open must not disable the dialog too.
    delete OpSettingForm;
    delete SettingForm;
    delete AboutForm;
    delete PowerOffForm;
}

void TMainForm::FormCreate(const QStringList &arguments)
{
    edtOutputFile->setText(ProgramDir);
    EncoderPath = EncoderPathIn(ProgramDir);
    // The list's first resize notice comes with its design width; the
    // columns it sizes are set afresh at the end of creation.
    ltvTaskResize(770);
    VersionText = ReadVersionText(ProgramDir);
    ProgramInfo::SetUpApplicationIdentity();
    labProgramName->setText(ProgramInfo::ProgramName);
    setWindowTitle(ProgramInfo::ProgramName + QStringLiteral(" V") + VersionText);
    saveDialogFilter = FilterTextToChooserFilters(SaveDialogFilterText()).value(0);
    cmbProfile->addItems(ProfileCatalogue(ProgramDir));

    Tasks = new TaskList(Seams.messages, this);
    ltvTask->setModel(Tasks->model());
    ltvTask->setSelectionModel(Tasks->selectionModel());
    connectHandlers();
    installKeyboard();
    buildTaskPopup();
    Tasks->TakeStartupArguments(arguments);
    enableRowButtonsWhenListed();

    setAcceptDrops(true);
    panBottomLeft->hide();
    const int widths[] = {350, 90, 80, 150};
    for (int column = 0; column < 4; ++column)
        ltvTask->setColumnWidth(column, widths[column]);
}

void TMainForm::createDialogs()
{
    OpSettingForm = new TopSettingForm(Seams.messages, this);
    // New choices in the dialog change the estimate of the output's size.
    OpSettingForm->installEventFilter(this);
    SettingForm = new TSettingForm(ProgramDir, Seams.messages, Seams.choosers, this);
    SettingForm->mainOutputText = [this] { return edtOutputFile->text(); };
    SettingForm->setMainOutputText = [this](const QString &text) { edtOutputFile->setText(text); };
    SettingForm->chooseOutputFile = [this] { return runSaveDialog1(); };
    AboutForm = new TAboutForm(VersionText, Seams.shell, this);
    PowerOffForm = new TPowerOffForm(this);
    createJob();
    updateSummary();
}

void TMainForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (firstShowDone)
        return;
    firstShowDone = true;
    LoadMainState();
}

void TMainForm::LoadMainState()
{
    if (cmbProfile->count() > 0) {
        QStringList entries;
        for (int i = 0; i < cmbProfile->count(); ++i)
            entries << cmbProfile->itemText(i);
        cmbProfile->setCurrentIndex(RememberedProfilePosition(ProgramDir, entries));
        cmbProfileChange();
    }
    edtOutputFile->setText(ReadRememberedOutputFile(ProgramDir));
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (TheJob && jobInProgress() && !jobAskedToClose) {
        // The job winds down in the visible window, its messages included;
        // the program ends after it.
        event->ignore();
        if (closeWhenJobEnds)
            return;
        if (Seams.messages->ask(tr("Job Running"), tr("A job is running. Stop it and quit?")) &&
            jobInProgress()) {
            closeWhenJobEnds = true;
            imgStopClick();
        }
        return;
    }
    SaveMainState();
    event->accept();
}

void TMainForm::SaveMainState()
{
    try {
        const QString name =
            cmbProfile->currentIndex() >= 0 ? cmbProfile->currentText() : QString();
        ::SaveMainState(ProgramDir, cmbProfile->currentIndex(), edtOutputFile->text(), name);
    } catch (const IniWriteError &error) {
        // The window closes all the same; the user learns what was not kept.
        Seams.messages->inform(ProgramInfo::ProgramName, QString::fromLocal8Bit(error.what()));
    }
}

void TMainForm::cmbProfileChange()
{
    if (cmbProfile->currentIndex() < 0)
        return;
    const QString path = profilePath();
    if (QFileInfo(path).isFile())
        OpSettingForm->LoadProfile(path);
    // The copying and the automatic profile offer only their chapter and
    // loudness choices; a profile with no choice at all has nothing to set.
    const std::optional<OutputProfile> profile = ReadProfile(path);
    bbtnSetting->setEnabled(
        profile &&
        std::any_of(profile->options.cbegin(), profile->options.cend(),
                    [](const ProfileOption &option) { return !option.captions.isEmpty(); }));
    forgetProfileChoice();
}

void TMainForm::showProfileChoice(const QString &reason, const QString &detail)
{
    profileChoice = reason;
    profileChoiceDetail = detail;
    updateSummary();
}

void TMainForm::forgetProfileChoice()
{
    profileChoice.clear();
    profileChoiceDetail.clear();
    updateSummary();
}

void TMainForm::updateSummary()
{
    if (!OpSettingForm) // the start-up rows come in before the dialogs exist
        return;
    if (!profileChoice.isEmpty()) {
        labSummary->setText(profileChoice);
        labSummary->setToolTip(profileChoice + QLatin1Char(' ') + profileChoiceDetail);
        return;
    }
    labSummary->setToolTip(QString());
    const WorkingSelection selection = OpSettingForm->workingSelection();
    // An automatic profile writes about what it reads when it copies, and
    // chooses only at Start.
    const bool asRead = cmbProfile->currentIndex() >= 0 && (ProfileCopiesStreams(profilePath()) ||
                                                            ProfileChoosesForInputs(profilePath()));
    const JobSummary summary =
        SummarizeJob(*Tasks->model(), asRead, selection.videoBitrate.toDouble(),
                     selection.audioBitrate.toDouble());
    labSummary->setText(JobSummaryText(summary));
}

QString TMainForm::runSaveDialog1()
{
    const QStringList filters = FilterTextToChooserFilters(SaveDialogFilterText());
    const SaveChoice choice = Seams.choosers->chooseSaveFile(this, filters, saveDialogFilter,
                                                             saveDialogFile, QStringLiteral("avi"));
    if (!choice.accepted)
        return QString();
    saveDialogFile = choice.path;
    if (!choice.filter.isEmpty())
        saveDialogFilter = choice.filter;
    return choice.path;
}

void TMainForm::bbtnBrowserClick()
{
    const QString chosen = runSaveDialog1();
    if (!chosen.isEmpty())
        edtOutputFile->setText(chosen);
}

void TMainForm::bbtnOpenClick()
{
    const QString text = edtOutputFile->text();
    if (text.isEmpty())
        return;
    if (QFileInfo(text).isFile()) {
        Seams.shell->open(text);
        return;
    }
    const int slash = text.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash < 0 ? QString() : text.left(slash);
    if (slash == 0 || (!folder.isEmpty() && QFileInfo(folder).isDir()))
        Seams.shell->open(slash == 0 ? QStringLiteral("/") : folder);
}

void TMainForm::showCentred(QWidget *dialog)
{
    dialog->adjustSize();
    dialog->move(geometry().center() - dialog->rect().center());
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void TMainForm::bbtnSettingClick()
{
    showCentred(OpSettingForm);
}

void TMainForm::tbtnSettingClick()
{
    showCentred(SettingForm);
}

void TMainForm::tbtnAboutClick()
{
    showCentred(AboutForm);
}

void TMainForm::tbtnHelpClick()
{
    const QString page = ProgramInfo::HelpFilePath(ProgramDir);
    if (QFileInfo(page).isFile() && Seams.shell->open(page))
        return;
    Seams.messages->inform(tr("Help"), tr("The help page could not be opened:\n\n%1").arg(page));
}
