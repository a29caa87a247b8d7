#pragma once

#include "app/columnsizing.h"
#include "platform/desktopseams.h"

#include <QString>
#include <QStringList>
#include <QWidget>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPlainTextEdit;
class QToolButton;
class QTreeView;
class QTimer;
class TaskList;
class TSettingForm;
class TopSettingForm;
class TAboutForm;
class ImageButton;
class ToolbarLook;

// The main window: task list, profile and output choice, Start and Stop,
// and the progress of a running job.
class TMainForm : public QWidget {
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
    void ppmTaskPopup();
    void bbtnBrowserClick();
    void bbtnOpenClick();
    void bbtnSettingClick();
    void tbtnSettingClick();
    void tbtnAboutClick();
    void tbtnHelpClick();
    void cmbProfileChange();
    void addDroppedNames(const QStringList &names);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

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
    void buildTaskPopup();
    void ltvTaskResize(int newWidth);
    void setRowButtonsEnabled(bool enabled);
    void enableRowButtonsWhenListed();
    void hideGettingStarted();
    void LoadMainState();
    void SaveMainState();
    QString profilePath() const;
    void showCentred(QWidget *dialog);

    QString ProgramDir;
    QString EncoderPath;
    QString VersionText;
    DesktopSeams Seams;
    TaskList *Tasks = nullptr;
    ColumnSizing Columns;
    bool firstShowDone = false;

    // The save dialog remembers the last choice for its next opening.
    QString saveDialogFile;
    QString saveDialogFilter;

    TSettingForm *SettingForm = nullptr;
    TopSettingForm *OpSettingForm = nullptr;
    TAboutForm *AboutForm = nullptr;

public:
    // Widgets, named as their object names.
    QWidget *panToolbar = nullptr;
    QToolButton *tbtnAddFile = nullptr, *tbtnAddDir = nullptr, *tbtnSetting = nullptr,
                *tbtnAbout = nullptr, *tbtnHelp = nullptr;
    QWidget *panMain = nullptr, *Panel1 = nullptr, *Panel2 = nullptr;
    QTreeView *ltvTask = nullptr;
    QToolButton *tbtnRemove = nullptr, *tbtnClear = nullptr, *tbtnUp = nullptr, *tbtnDown = nullptr;
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
    QPlainTextEdit *Memo1 = nullptr;
};
