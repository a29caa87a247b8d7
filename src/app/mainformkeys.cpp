// The main window without a mouse: shortcuts, the Tab order, the focus mark,
// and the names a screen reader reads.
#include "app/mainform.h"

#include "app/look/imagebutton.h"
#include "engine/job.h"
#include "platform/messages.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QFocusFrame>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QToolButton>
#include <QTreeView>

namespace {

// Moves one focus frame to whichever control took the focus from the
// keyboard: the platform style marks the focus faintly or not at all on some
// controls (the profile box, the picture buttons on the dark strip).
class FocusMark : public QObject {
public:
    explicit FocusMark(QWidget *window)
        : QObject(window)
        , Window(window)
        , Frame(new QFocusFrame(window))
    {
        Frame->setObjectName(QStringLiteral("focusMark"));
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::FocusIn || !watched->isWidgetType())
            return false;
        auto *widget = static_cast<QWidget *>(watched);
        if (widget->window() != Window || widget == Window)
            return false;
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        const bool byKeys = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                            reason == Qt::ShortcutFocusReason;
        Frame->setWidget(byKeys ? widget : nullptr);
        return false;
    }

private:
    QWidget *Window;
    QFocusFrame *Frame;
};

} // namespace

void TMainForm::addShortcut(const QKeySequence &keys, const std::function<void()> &action)
{
    auto *shortcut = new QShortcut(keys, this);
    connect(shortcut, &QShortcut::activated, this, action);
}

void TMainForm::showShortcutInToolTip(QWidget *control, const QString &text,
                                      const QKeySequence &keys)
{
    control->setToolTip(
        QStringLiteral("%1 (%2)").arg(text, keys.toString(QKeySequence::NativeText)));
}

void TMainForm::installKeyboard()
{
    // A shortcut does what its button does, and only while the button could
    // be clicked.
    const auto clickIfEnabled = [](QToolButton *button) {
        return [button] {
            if (button->isEnabled() && button->isVisible())
                button->click();
        };
    };
    const QKeySequence join(Qt::CTRL | Qt::Key_Return);
    const QKeySequence addFiles(Qt::CTRL | Qt::Key_O);
    const QKeySequence addDir(Qt::CTRL | Qt::SHIFT | Qt::Key_O);
    const QKeySequence selectAll(Qt::CTRL | Qt::Key_A);
    const QKeySequence help(Qt::Key_F1);
    const QKeySequence quit(Qt::CTRL | Qt::Key_Q);
    const QKeySequence stop(Qt::Key_Escape);
    addShortcut(join, [this] {
        if (imgStart->isVisible())
            imgStartClick();
    });
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_Enter), [this] {
        if (imgStart->isVisible())
            imgStartClick();
    });
    addShortcut(addFiles, clickIfEnabled(tbtnAddFile));
    addShortcut(addDir, clickIfEnabled(tbtnAddDir));
    const auto windowAction = [this](const QString &text, const QKeySequence &keys,
                                     const std::function<void()> &action) {
        auto *item = new QAction(text, this);
        item->setShortcut(keys);
        connect(item, &QAction::triggered, this, action);
        addAction(item);
        return item;
    };
    actSelectAll = windowAction(tr("Select All"), selectAll, [this] {
        if (ltvTask->isEnabled())
            ltvTask->selectAll();
    });
    actUndo =
        windowAction(tr("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { undoListEdit(); });
    actRedo = windowAction(tr("Redo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                           [this] { redoListEdit(); });
    addShortcut(help, clickIfEnabled(tbtnHelp));
    addShortcut(quit, [this] { close(); });
    addShortcut(stop, [this] {
        if (imgStop->isVisible())
            stopAfterAsking();
    });
    connect(imgStart, &ImageButton::keyActivated, this, &TMainForm::imgStartClick);
    connect(imgStop, &ImageButton::keyActivated, this, &TMainForm::stopAfterAsking);
    // Enter in the output field ends the path and goes on to Join.
    connect(edtOutputFile, &QLineEdit::returnPressed, this, [this] {
        if (imgStart->isVisible())
            imgStart->setFocus(Qt::TabFocusReason);
    });

    showShortcutInToolTip(tbtnAddFile, tr("Add video files to the list"), addFiles);
    showShortcutInToolTip(tbtnAddDir, tr("Add the videos of a folder to the list"), addDir);
    showShortcutInToolTip(tbtnHelp, tr("Open the help page"), help);
    const QString undoKeys = actUndo->shortcut().toString(QKeySequence::NativeText);
    tbtnRemove->setToolTip(
        tr("Remove the selected rows (Delete; %1 brings them back)").arg(undoKeys));
    tbtnClear->setToolTip(tr("Remove every row (Backspace; %1 brings them back)").arg(undoKeys));
    showShortcutInToolTip(imgStart, tr("Join the listed videos into the output file"), join);
    imgStop->setToolTip(tr("Stop the job (%1, or Enter while Stop has the focus, then confirm)")
                            .arg(stop.toString(QKeySequence::NativeText)));

    // After the output file's controls comes the step that uses them.
    setTabOrder(edtOutputFile, bbtnBrowser);
    setTabOrder(bbtnBrowser, bbtnOpen);
    setTabOrder(bbtnOpen, imgStart);
    setTabOrder(imgStart, imgStop);
    describeControls();
    new FocusMark(this);
}

void TMainForm::describeControls()
{
    panBottomCenter->findChild<QLabel *>(QStringLiteral("Label1"))->setBuddy(cmbProfile);
    panBottomCenter->findChild<QLabel *>(QStringLiteral("Label2"))->setBuddy(edtOutputFile);
    struct Description {
        QWidget *control;
        const char *name;
        const char *description;
    };
    const Description descriptions[] = {
        {imgStart, QT_TR_NOOP("Join"), QT_TR_NOOP("Join the listed videos into the output file")},
        {imgStop, QT_TR_NOOP("Stop"), QT_TR_NOOP("Stop the running job")},
        {ltvTask, QT_TR_NOOP("Task List"),
         QT_TR_NOOP("The videos to join, in the order they are joined")},
        {tbtnRemove, QT_TR_NOOP("Delete"), QT_TR_NOOP("Remove the selected rows from the list")},
        {tbtnClear, QT_TR_NOOP("Clear"), QT_TR_NOOP("Remove every row from the list")},
        {tbtnUp, QT_TR_NOOP("Move Up"), QT_TR_NOOP("Move the selected rows up")},
        {tbtnDown, QT_TR_NOOP("Move Down"), QT_TR_NOOP("Move the selected rows down")},
    };
    for (const Description &d : descriptions) {
        d.control->setAccessibleName(tr(d.name));
        d.control->setAccessibleDescription(tr(d.description));
    }
}

void TMainForm::stopAfterAsking()
{
    if (!jobInProgress() || !imgStop->isVisible())
        return;
    if (Seams.messages->ask(tr("Stop"), tr("Stop the running job?")))
        imgStopClick();
}
