#pragma once

#include <QDialog>
#include <QPointer>

// A dialog that lives for the whole run beside the main window: shown
// without a modal loop of its own, centred on the main window, which it
// disables while it is up. It is a window of its own, not a child, because a
// disabled parent would disable it too; its window is transient for the main
// window all the same, so that the window manager keeps it in front of it.
// Closing only hides it.
class MainWindowDialog : public QDialog {
    Q_OBJECT

public:
    explicit MainWindowDialog(QWidget *mainWindow);

    void setVisible(bool visible) override;

protected:
    // Runs each time the dialog is shown, after the main window is disabled.
    virtual void FormShow() {}

    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    // The frame's close button only hides: QDialog would treat it as a
    // rejection, and these dialogs keep their edits then.
    void closeEvent(QCloseEvent *event) override;

    QPointer<QWidget> MainWindow;
};
