#pragma once

#include "engine/jobview.h"
#include "engine/joincheck.h"
#include "platform/desktopseams.h"
#include "tasklist/columnsizing.h"
#include "tasklist/tasklist.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

class QAction;
class QComboBox;
class QKeySequence;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPlainTextEdit;
class QToolButton;
class QTreeView;
class QTimer;
class Job;
class JobPresenter;
struct JobRequest;
class TSettingForm;
class TopSettingForm;
class TAboutForm;
class TPowerOffForm;
class ImageButton;
class ToolbarLook;
class JobMessages;

// The main window: task list, profile and output choice, Start and Stop,
// and the progress of a running job.
class TMainForm : public QWidget, public JobView {
    Q_OBJECT

public:
    // programDir ends with "/"; arguments are the start-up arguments
    // (without the program name).
    TMainForm(const QString &programDir, const DesktopSeams &seams, const QStringList &arguments,
              QWidget *parent = nullptr);
    ~TMainForm() override;

    QString programDir() const { return ProgramDir; }
    QString encoderPath() const { return EncoderPath; }
    QString versionText() const { return VersionText; }
    TaskList *taskList() const { return Tasks; }
    TSettingForm *settingForm() const { return SettingForm; }
    TopSettingForm *opSettingForm() const { return OpSettingForm; }
    TAboutForm *aboutForm() const { return AboutForm; }
    TPowerOffForm *powerOffForm() const { return PowerOffForm; }
    Job *job() const { return TheJob; }
    JobPresenter *jobPresenter() const { return ThePresenter; }
    // How jobs read back what the encoder wrote (the media library unless
    // told otherwise).
    void setMediaReader(const MediaReader &reader) { ReadMedia = reader; }
    int rememberedListWidth() const { return Columns.rememberedWidth(); }

    // Runs the output-file save dialog (shared with the Settings dialog);
    // the chosen path, or an empty text when the user cancelled.
    QString runSaveDialog1();

    // Handlers, public so that the look layer and tests reach them.
    void tbtnAddFileClick();
    void tbtnAddDirClick();
    void tbtnRemoveClick();
    void tbtnClearClick();
    void tbtnUpClick();
    void tbtnDownClick();
    void ltvTaskDblClick();
    void sortRows(TaskList::SortKey key);
    // Undo and redo of a list edit; nothing while a job runs.
    void undoListEdit();
    void redoListEdit();
    void ppmTaskPopup();
    void bbtnBrowserClick();
    void bbtnOpenClick();
    void bbtnSettingClick();
    void tbtnSettingClick();
    void tbtnAboutClick();
    void tbtnHelpClick();
    void cmbProfileChange();
    void addDroppedNames(const QStringList &names);
    void imgStartClick();
    void imgStopClick();
    // Stop from the keyboard, which a stray key must not reach: it asks
    // first.
    void stopAfterAsking();

    // What the window shows of a running job.
    QString outputFileText() const override;
    void setOutputFileText(const QString &text) override;
    void focusTaskList() override;
    void focusOutputFile() override;
    void DisableJobControls() override;
    void EnableJobControls() override;
    void showStartInsteadOfStop() override;
    void setProcessTitle(const QString &text) override;
    void setConvertingFile(const QString &text) override;
    void setConvertingFileVisible(bool visible) override;
    void setElapsedText(const QString &text) override;
    void setRemainingText(const QString &text) override;
    void setCurrentProgress(int value, const QString &label) override;
    void setTotalProgress(int value, const QString &label) override;
    void showProgressPanel(bool progress) override;
    void setEncoderOutput(const QString &text) override;
    // Shown in place of the job's summary until the list or the profile
    // changes; the values that differ in the summary's tooltip.
    void showProfileChoice(const QString &reason, const QString &detail) override;
    // A countdown with Cancel before the computer is turned off.
    void askToPowerOff(const std::function<void(bool)> &answer) override;
    void closeProgram() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool takeFileDrag(QEvent *event);

private:
    void FormCreate(const QStringList &arguments);
    void createDialogs();
    void buildLayout();
    QWidget *buildToolbar();
    QWidget *buildWorkArea();
    QWidget *buildGettingStarted(QWidget *parent);
    QWidget *buildRowButtons();
    QWidget *buildBottomPanel();
    QWidget *buildJobSettingsPanel(QWidget *parent);
    QWidget *buildProgressPanel(QWidget *parent);
    void connectHandlers();
    void installLook();
    void installKeyboard();
    void addShortcut(const QKeySequence &keys, const std::function<void()> &action);
    void describeControls();
    void showShortcutInToolTip(QWidget *control, const QString &text, const QKeySequence &keys);
    void buildTaskPopup();
    void ltvTaskResize(int newWidth);
    void setRowButtonsEnabled(bool enabled);
    void enableRowButtonsWhenListed();
    void hideGettingStarted();
    bool refuseStartWhileTakingIn();
    void LoadMainState();
    void SaveMainState();
    void createJob();
    // The job Start starts: the list, the dialogs' values and the output
    // field as they are now.
    JobRequest jobRequest() const;
    // From Start until the job and its messages are over.
    bool jobInProgress() const;
    QString profilePath() const;
    void setJobControlsEnabled(bool enabled);
    void onJobEnded(bool succeeded);
    // Word of a job to the desktop when the window is not in front: once per
    // job, with its first box (its result, or what went wrong).
    void tellDesktop(const QString &title, const QString &text);
    void showCentred(QWidget *dialog);
    void updateSummary();
    void forgetProfileChoice();

    QString ProgramDir;
    QString EncoderPath;
    QString VersionText;
    DesktopSeams Seams;
    TaskList *Tasks = nullptr;
    ColumnSizing Columns;
    bool firstShowDone = false;
    Job *TheJob = nullptr;
    JobPresenter *ThePresenter = nullptr;
    MediaReader ReadMedia = LibraryMediaReader();
    std::unique_ptr<JobMessages> TheJobMessages;
    bool desktopTold = false;
    // Closing during a job stops it first; the window closes when it ended.
    bool closeWhenJobEnds = false;
    bool jobAskedToClose = false;
    // What an automatic profile chose at the latest Start, and why.
    QString profileChoice;
    QString profileChoiceDetail;

    // The save dialog remembers the last choice for its next opening.
    QString saveDialogFile;
    QString saveDialogFilter;

    TSettingForm *SettingForm = nullptr;
    TopSettingForm *OpSettingForm = nullptr;
    TAboutForm *AboutForm = nullptr;
    TPowerOffForm *PowerOffForm = nullptr;

public:
    // Widgets, named as their object names.
    QWidget *panToolbar = nullptr;
    QToolButton *tbtnAddFile = nullptr, *tbtnAddDir = nullptr, *tbtnSetting = nullptr,
                *tbtnAbout = nullptr, *tbtnHelp = nullptr;
    QWidget *panMain = nullptr, *Panel1 = nullptr, *Panel2 = nullptr;
    QTreeView *ltvTask = nullptr;
    QToolButton *tbtnRemove = nullptr, *tbtnClear = nullptr, *tbtnUp = nullptr, *tbtnDown = nullptr;
    QLabel *labSummary = nullptr;
    QWidget *panltvTask = nullptr;
    QLabel *labProgramName = nullptr, *imgBkg = nullptr, *imgBanner = nullptr;
    QWidget *panBottom = nullptr, *panBottomRight = nullptr, *panLogo = nullptr;
    QWidget *panBottomCenter = nullptr, *panBottomLeft = nullptr;
    QLabel *Image1 = nullptr;
    ImageButton *imgStart = nullptr, *imgStop = nullptr;
    ToolbarLook *Look = nullptr;
    QComboBox *cmbProfile = nullptr;
    QLineEdit *edtOutputFile = nullptr;
    QToolButton *bbtnSetting = nullptr, *bbtnBrowser = nullptr, *bbtnOpen = nullptr;
    QLabel *labProcessTitle = nullptr, *labConvertingFile = nullptr, *labElapsed = nullptr,
           *labRemaining = nullptr, *labCurProgress = nullptr, *labTotalProgress = nullptr;
    QProgressBar *pgbCurrent = nullptr, *pgbTotal = nullptr;
    QMenu *ppmTask = nullptr;
    QAction *actUndo = nullptr, *actRedo = nullptr, *actSelectAll = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
};
