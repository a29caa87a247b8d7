#pragma once

#include "platform/mainwindowdialog.h"

class QLabel;
class QPushButton;
class ShellOpener;

// The About box: name, version, copyright and the maker's links. Created once
// and hidden when closed. It is a top-level window of its own, not a child of
// the main window, because it disables the main window while it is up.
class TAboutForm : public MainWindowDialog {
    Q_OBJECT

public:
    TAboutForm(const QString &versionText, ShellOpener *shell, QWidget *mainWindow);

    void btnOKClick();
    void labWebsiteClick();
    void labMoreClick();
    void Label8Click();
    void Label9Click();
    void Label10Click();
    void btnTechClick();
    void btnSalesClick();

private:
    void buildUpperPanel();
    void buildLowerPanel();
    void FormCreate(const QString &versionText);
    void fitTexts();
    void openOtherProgram(int position);

    ShellOpener *Shell;

    QLabel *labProgramName = nullptr, *labVersion = nullptr, *labCopyright = nullptr;
    QLabel *labRightsReserved = nullptr, *labWebsite = nullptr;
    QLabel *Label8 = nullptr, *Label9 = nullptr, *Label10 = nullptr;
};
