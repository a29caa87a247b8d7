// The task list's handlers on the main window: adding, removing, moving,
// opening, the popup menu, keys, drops and the column sizing.
#include "app/mainform.h"

#include "platform/choosers.h"
#include "platform/messages.h"
#include "platform/shellopener.h"
#include "settings/opsettingform.h"
#include "tasklist/inputtypes.h"
#include "tasklist/tasklist.h"
#include "tasklist/tasklistmodel.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>

void TMainForm::connectHandlers()
{
    connect(tbtnAddFile, &QToolButton::clicked, this, &TMainForm::tbtnAddFileClick);
    connect(tbtnAddDir, &QToolButton::clicked, this, &TMainForm::tbtnAddDirClick);
    connect(tbtnSetting, &QToolButton::clicked, this, &TMainForm::tbtnSettingClick);
    connect(tbtnAbout, &QToolButton::clicked, this, &TMainForm::tbtnAboutClick);
    connect(tbtnHelp, &QToolButton::clicked, this, &TMainForm::tbtnHelpClick);
    connect(tbtnRemove, &QToolButton::clicked, this, &TMainForm::tbtnRemoveClick);
    connect(tbtnClear, &QToolButton::clicked, this, &TMainForm::tbtnClearClick);
    connect(tbtnUp, &QToolButton::clicked, this, &TMainForm::tbtnUpClick);
    connect(tbtnDown, &QToolButton::clicked, this, &TMainForm::tbtnDownClick);
    connect(bbtnSetting, &QToolButton::clicked, this, &TMainForm::bbtnSettingClick);
    connect(bbtnBrowser, &QToolButton::clicked, this, &TMainForm::bbtnBrowserClick);
    connect(bbtnOpen, &QToolButton::clicked, this, &TMainForm::bbtnOpenClick);
    connect(cmbProfile, QOverload<int>::of(&QComboBox::activated), this,
            &TMainForm::cmbProfileChange);
    connect(ltvTask, &QTreeView::doubleClicked, this, &TMainForm::ltvTaskDblClick);
    connect(Tasks, &TaskList::fileAddingStarted, this, &TMainForm::hideGettingStarted);
    // Rows of an intake arrive after the handler that started it returned.
    connect(Tasks->model(), &QAbstractItemModel::rowsInserted, this,
            &TMainForm::enableRowButtonsWhenListed);
    // Undo and redo may empty the list or fill it again.
    connect(Tasks->model(), &QAbstractItemModel::modelReset, this,
            [this] { setRowButtonsEnabled(Tasks->count() > 0); });
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(Tasks->model(), signal, this, &TMainForm::updateSummary);
    connect(Tasks->model(), &QAbstractItemModel::modelReset, this, &TMainForm::updateSummary);
    connect(Tasks->model(), &QAbstractItemModel::dataChanged, this, &TMainForm::updateSummary);
    // A new list may be chosen for differently at the next Start.
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(Tasks->model(), signal, this, &TMainForm::forgetProfileChoice);
    connect(Tasks->model(), &QAbstractItemModel::rowsMoved, this, &TMainForm::forgetProfileChoice);
    connect(Tasks->model(), &QAbstractItemModel::modelReset, this, &TMainForm::forgetProfileChoice);
    ltvTask->installEventFilter(this);
    ltvTask->viewport()->installEventFilter(this);
    edtOutputFile->installEventFilter(this);
}

void TMainForm::buildTaskPopup()
{
    ppmTask = new QMenu(this);
    ppmTask->setObjectName(QStringLiteral("ppmTask"));
    ppmTask->addAction(tr("Open"), this, &TMainForm::ltvTaskDblClick);
    ppmTask->addSeparator();
    ppmTask->addAction(tr("Add Files..."), this, &TMainForm::tbtnAddFileClick);
    ppmTask->addAction(tr("Add Directorys..."), this, &TMainForm::tbtnAddDirClick);
    ppmTask->addSeparator();
    ppmTask->addAction(tr("Remove"), this, &TMainForm::tbtnRemoveClick);
    ppmTask->addAction(tr("Clear"), this, &TMainForm::tbtnClearClick);
    ppmTask->addSeparator();
    QMenu *sortMenu = ppmTask->addMenu(tr("Sort by"));
    sortMenu->setObjectName(QStringLiteral("mnuSortBy"));
    const QPair<const char *, TaskList::SortKey> keys[] = {
        {QT_TR_NOOP("Name"), TaskList::SortKey::Name},
        {QT_TR_NOOP("Date"), TaskList::SortKey::Date},
        {QT_TR_NOOP("Play Time"), TaskList::SortKey::PlayTime}};
    for (const auto &[text, key] : keys)
        sortMenu->addAction(tr(text), this, [this, key = key] { sortRows(key); });
    ppmTask->addSeparator();
    ppmTask->addAction(actUndo);
    ppmTask->addAction(actRedo);
    ppmTask->addAction(actSelectAll);
    connect(ppmTask, &QMenu::aboutToShow, this, &TMainForm::ppmTaskPopup);
    connect(ltvTask, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { ppmTask->popup(ltvTask->viewport()->mapToGlobal(at)); });
}

void TMainForm::ppmTaskPopup()
{
    const bool selected = Tasks->hasSelection();
    for (QAction *action : ppmTask->actions()) {
        const QString text = action->text();
        if (text == tr("Open") || text == tr("Remove"))
            action->setEnabled(selected);
        else if (text == tr("Clear") || text == tr("Sort by"))
            action->setEnabled(Tasks->count() > 0);
    }
}

void TMainForm::hideGettingStarted()
{
    panltvTask->hide();
}

void TMainForm::setRowButtonsEnabled(bool enabled)
{
    for (QToolButton *button : {tbtnRemove, tbtnClear, tbtnUp, tbtnDown})
        button->setEnabled(enabled);
}

void TMainForm::enableRowButtonsWhenListed()
{
    if (Tasks->count() > 0)
        setRowButtonsEnabled(true);
}

bool TMainForm::refuseStartWhileTakingIn()
{
    if (!Tasks->isTakingIn())
        return false;
    // A job over a half-filled list would join fewer files than the user
    // gave.
    Seams.messages->inform(tr("Files Still Coming In"),
                           tr("Files are still being added to the Task List. Click "
                              "Start again when all of them are listed."));
    return true;
}

void TMainForm::tbtnAddFileClick()
{
    const QStringList filters = FilterTextToChooserFilters(OpenDialogFilterText());
    const QStringList chosen = Seams.choosers->chooseOpenFiles(this, filters, filters.value(0));
    if (!chosen.isEmpty())
        Tasks->AddChosenFiles(chosen);
    enableRowButtonsWhenListed();
}

void TMainForm::tbtnAddDirClick()
{
    const QString folder =
        Seams.choosers->chooseFolder(this, tr("Add a directory to the Task List"), QString());
    if (!folder.isEmpty())
        Tasks->AddTaskFolder(folder);
    ltvTask->setFocus();
    enableRowButtonsWhenListed();
}

void TMainForm::tbtnRemoveClick()
{
    Tasks->RemoveSelected();
    if (Tasks->count() == 0)
        setRowButtonsEnabled(false);
}

void TMainForm::tbtnClearClick()
{
    Tasks->Clear();
    setRowButtonsEnabled(false);
}

void TMainForm::sortRows(TaskList::SortKey key)
{
    if (ltvTask->isEnabled())
        Tasks->SortBy(key);
}

void TMainForm::undoListEdit()
{
    if (ltvTask->isEnabled())
        Tasks->Undo();
}

void TMainForm::redoListEdit()
{
    if (ltvTask->isEnabled())
        Tasks->Redo();
}

void TMainForm::tbtnUpClick()
{
    Tasks->MoveUp();
}

void TMainForm::tbtnDownClick()
{
    Tasks->MoveDown();
}

void TMainForm::ltvTaskDblClick()
{
    const QString caption = Tasks->FirstSelectedCaption();
    if (!caption.isEmpty())
        Seams.shell->open(caption);
}

void TMainForm::addDroppedNames(const QStringList &names)
{
    hideGettingStarted();
    if (!ltvTask->isEnabled())
        return;
    Tasks->AddDropped(names);
    enableRowButtonsWhenListed();
}

void TMainForm::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent *event)
{
    QStringList names;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            names << url.toLocalFile();
    }
    event->acceptProposedAction();
    addDroppedNames(names);
}

void TMainForm::ltvTaskResize(int newWidth)
{
    QList<int> widths;
    for (int column = 0; column < 4; ++column)
        widths << ltvTask->columnWidth(column);
    if (!Columns.resize(newWidth, widths))
        return;
    for (int column = 0; column < 4; ++column)
        ltvTask->setColumnWidth(column, widths[column]);
}

// A line edit takes dropped files as text for itself. Files dropped on the
// output field are added to the list as anywhere else on the window; a drag
// of plain text still goes into the field.
bool TMainForm::takeFileDrag(QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    // The enter and move events are drop events too.
    auto *drag = static_cast<QDropEvent *>(event);
    if (!drag->mimeData()->hasUrls())
        return false;
    if (type == QEvent::Drop)
        dropEvent(drag);
    else
        drag->acceptProposedAction();
    return true;
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Hide && watched == OpSettingForm)
        updateSummary();
    if (watched == edtOutputFile && takeFileDrag(event))
        return true;
    if (watched == ltvTask && event->type() == QEvent::Resize) {
        ltvTaskResize(static_cast<QResizeEvent *>(event)->size().width());
    } else if (watched == ltvTask && event->type() == QEvent::KeyPress) {
        // The key is not consumed: the list still handles it as usual.
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Delete)
            tbtnRemoveClick();
        else if (key == Qt::Key_Backspace)
            tbtnClearClick();
    } else if (watched == ltvTask->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        // A double click on empty space still opens the selected row's file.
        if (!ltvTask->indexAt(static_cast<QMouseEvent *>(event)->position().toPoint()).isValid())
            ltvTaskDblClick();
    }
    return QWidget::eventFilter(watched, event);
}
