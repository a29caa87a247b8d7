#pragma once

#include "settings/workingselection.h"

#include "platform/mainwindowdialog.h"
#include <QHash>
#include <QList>
#include <QStringList>

class Messages;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QWidget;

// The "Output Settings" dialog: the options of the loaded profile and the
// user's working selection of them. Start takes the boxes' values
// (workingSelection) for the job it starts; nothing here is written to a file.
// Created once, hidden when closed. It is a top-level window of its own, not
// a child of the main window, because it disables the main window while up.
class TopSettingForm : public MainWindowDialog {
    Q_OBJECT

public:
    TopSettingForm(Messages *messages, QWidget *mainWindow);
    ~TopSettingForm() override;

    // Refills every box from the profile file and selects the profile's initial
    // choices. A path with no file behind it changes nothing.
    void LoadProfile(const QString &path);
    // The profile last loaded; empty until the first load.
    QString currentProfilePath() const { return ProfilePath; }

    WorkingSelection workingSelection() const;
    // "." + the loaded profile's output type; empty before the first load.
    QString outputExtension() const { return OutputExtension; }

    void cmbAcodecChange();
    void cmbEncodeToChange();
    // The description of the box's profile section and its shown value.
    void showDescription(QComboBox *box);
    void btnOKClick();
    void btnCancelClick();

protected:
    void FormShow() override;
    void reject() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // What Cancel puts back: positions of the pick-only boxes, texts of the
    // editable ones and of the size fields, and the size mode.
    struct ShownState {
        QList<int> positions;
        QStringList boxTexts;
        QString width, height;
        bool selectSize = true, manualSize = false;
    };

    QComboBox *addBox(QWidget *parent, const char *name, const QString &section, bool editable,
                      int left, int top);
    void buildVideoRows();
    void buildSizeGroup();
    void buildAudioRows();
    void buildLavcPanel();
    void buildMP3Panel();
    void buildOutputRows();
    void buildDescriptionAndButtons();
    void settleOverlaps();
    void connectChangeHandlers();
    void fillBox(QComboBox *box, const QStringList &captions, int index);
    QComboBox *boxOfSection(const QString &section) const;
    // Whether the loaded profile has the section the box shows.
    bool offers(const QComboBox *box) const;
    QList<QComboBox *> pickOnlyBoxes() const;
    QList<QComboBox *> editableBoxes() const;
    ShownState shownState() const;
    void restoreState(const ShownState &state);
    bool passesChecks();
    bool refuse(const QString &text, const QString &title, QWidget *focus);

    Messages *Msgs;
    QString ProfilePath;
    QString OutputExtension;
    QHash<QString, QString> Descriptions; // of the loaded profile, by section
    ShownState Remembered;
    QList<QComboBox *> Boxes;

    QComboBox *cmbVcodec = nullptr, *cmbVbitrate = nullptr, *cmbAspect = nullptr;
    QComboBox *cmbVquality = nullptr, *cmbSpeed = nullptr, *cmbFrameRate = nullptr;
    QComboBox *cmbVideoSize = nullptr, *cmbAcodec = nullptr, *cmbAbitrate = nullptr;
    QComboBox *cmbEncodeTo = nullptr, *cmbQuality = nullptr, *cmbBitrate = nullptr;
    QComboBox *cmbChannels = nullptr, *cmbSrate = nullptr;
    QComboBox *cmbLoudness = nullptr, *cmbChapters = nullptr;
    QRadioButton *rdbSelectSize = nullptr, *rdbManualSize = nullptr;
    QLineEdit *edtWidth = nullptr, *edtHeight = nullptr;
    QWidget *panLavc = nullptr, *panMP3 = nullptr;
    QLabel *labQuality = nullptr, *labBitrate = nullptr;
    QPlainTextEdit *memDescription = nullptr;
};
