// Builds the main window's widgets at their design places and sizes.
#include "app/mainform.h"

#include "app/look/imagebutton.h"
#include "app/look/pictures.h"
#include "app/look/toolbarlook.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const int ClientWidth = 790;
const int ClientHeight = 525;

template <typename W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QFont pixelFont(int pixels, bool bold = false, const QString &family = QString())
{
    QFont font = family.isEmpty() ? QFont() : QFont(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLabel *placedLabel(QWidget *parent, const char *name, const QString &text, int left, int top)
{
    auto *label = named(new QLabel(text, parent), name);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->move(left, top);
    label->adjustSize();
    return label;
}

// The platform's sans serif is wider than the design font, so a label that
// leads into a control is aligned to end just before it.
QLabel *labelEndingAt(QWidget *parent, const char *name, const QString &text, int right, int top)
{
    QLabel *label = placedLabel(parent, name, text, 0, top);
    label->move(std::max(0, right - label->width()), top);
    return label;
}

// A label placed just after another one on the same line.
QLabel *labelAfter(QWidget *parent, const char *name, const QString &text, const QLabel *before)
{
    return placedLabel(parent, name, text, before->geometry().right() + 5, before->y());
}

QToolButton *flatButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *button = named(new QToolButton(parent), name);
    button->setText(caption);
    button->setAutoRaise(true);
    return button;
}

QToolButton *pushButton(QWidget *parent, const char *name, const QString &caption, int left,
                        int top)
{
    auto *button = named(new QToolButton(parent), name);
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setGeometry(left, top, 75, 25);
    return button;
}

void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace

void TMainForm::buildLayout()
{
    setFont(pixelFont(11));
    resize(ClientWidth, ClientHeight);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(buildToolbar());
    column->addWidget(buildWorkArea(), 1);
    column->addWidget(buildBottomPanel());
    installLook();
    Memo1 = named(new QPlainTextEdit(this), "Memo1");
    Memo1->setReadOnly(true);
    Memo1->hide();
}

QWidget *TMainForm::buildToolbar()
{
    panToolbar = named(new QWidget(this), "panToolbar");
    panToolbar->setFixedHeight(70);
    panToolbar->setMouseTracking(true);
    struct Place {
        QToolButton **button;
        const char *name;
        const char *caption;
        int left;
    };
    const Place places[] = {{&tbtnAddFile, "tbtnAddFile", QT_TR_NOOP("Add Files"), 9},
                            {&tbtnAddDir, "tbtnAddDir", QT_TR_NOOP("Add Dir"), 118},
                            {&tbtnSetting, "tbtnSetting", QT_TR_NOOP("Settings"), 228},
                            {&tbtnAbout, "tbtnAbout", QT_TR_NOOP("About"), 338},
                            {&tbtnHelp, "tbtnHelp", QT_TR_NOOP("Help"), 447}};
    for (const Place &place : places) {
        QToolButton *button = flatButton(panToolbar, place.name, tr(place.caption));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setIconSize(QSize(54, 54));
        button->setGeometry(place.left, 8, 109, 58);
        button->setMouseTracking(true);
        *place.button = button;
    }
    return panToolbar;
}

QWidget *TMainForm::buildWorkArea()
{
    panMain = named(new QWidget(this), "panMain");
    auto *row = new QHBoxLayout(panMain);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto *panLeft = named(new QWidget(panMain), "panLeft");
    auto *panRight = named(new QWidget(panMain), "panRight");
    panLeft->setFixedWidth(10);
    panRight->setFixedWidth(10);
    Panel1 = named(new QWidget(panMain), "Panel1");
    row->addWidget(panLeft);
    row->addWidget(Panel1, 1);
    row->addWidget(panRight);

    auto *centre = new QVBoxLayout(Panel1);
    centre->setContentsMargins(0, 0, 0, 0);
    centre->setSpacing(0);
    ltvTask = named(new QTreeView(Panel1), "ltvTask");
    ltvTask->setRootIsDecorated(false);
    ltvTask->setItemsExpandable(false);
    ltvTask->setUniformRowHeights(true);
    ltvTask->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ltvTask->setSelectionBehavior(QAbstractItemView::SelectRows);
    ltvTask->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ltvTask->setSortingEnabled(false);
    ltvTask->setContextMenuPolicy(Qt::CustomContextMenu);
    // Rows are dragged to a new place, and files dropped between rows go in
    // there.
    ltvTask->setDragEnabled(true);
    ltvTask->setAcceptDrops(true);
    ltvTask->setDropIndicatorShown(true);
    ltvTask->setDragDropMode(QAbstractItemView::DragDrop);
    ltvTask->setDefaultDropAction(Qt::MoveAction);
    ltvTask->setDragDropOverwriteMode(false);
    ltvTask->header()->setStretchLastSection(false);
    ltvTask->header()->setSectionsMovable(false);
    ltvTask->header()->setFixedHeight(17);
    ltvTask->header()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: #F3F3F3; color: black; "
                       "border: 0px; border-right: 1px solid #d0d0d0; padding-left: 4px; }"));
    ltvTask->resize(770, 343);
    centre->addWidget(ltvTask, 1);
    centre->addWidget(buildRowButtons());
    panltvTask = buildGettingStarted(Panel1);
    return panMain;
}

QWidget *TMainForm::buildRowButtons()
{
    Panel2 = named(new QWidget(Panel1), "Panel2");
    Panel2->setFixedHeight(35);
    struct Place {
        QToolButton **button;
        const char *name;
        const char *caption;
        int left;
    };
    const Place places[] = {{&tbtnRemove, "tbtnRemove", QT_TR_NOOP("Delete"), 21},
                            {&tbtnClear, "tbtnClear", QT_TR_NOOP("Clear"), 125},
                            {&tbtnUp, "tbtnUp", QT_TR_NOOP("Move Up"), 229},
                            {&tbtnDown, "tbtnDown", QT_TR_NOOP("Move Down"), 334}};
    for (const Place &place : places) {
        QToolButton *button = flatButton(Panel2, place.name, tr(place.caption));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setIconSize(QSize(16, 16));
        button->setGeometry(place.left, 6, 100, 22);
        *place.button = button;
    }
    // The job summed up, in the free space after the buttons; what an
    // automatic profile chose may take two lines.
    labSummary = named(new QLabel(Panel2), "labSummary");
    labSummary->setGeometry(444, 1, 320, 33);
    labSummary->setWordWrap(true);
    labSummary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return Panel2;
}

QWidget *TMainForm::buildGettingStarted(QWidget *parent)
{
    auto *panel = named(new QWidget(parent), "panltvTask");
    panel->setGeometry(0, 0, 770, 378);
    panel->setAutoFillBackground(true);
    setColour(panel, QPalette::Window, Qt::white);
    // The panel is white in every theme, so its own texts stay dark.
    setColour(panel, QPalette::WindowText, QColor(0x1d, 0x27, 0x33));
    panel->setMouseTracking(true);
    imgBkg = named(new QLabel(panel), "imgBkg");
    imgBkg->setGeometry(0, 0, 770, 378);
    imgBkg->setScaledContents(true);
    labProgramName = placedLabel(panel, "labProgramName", QString(), 56, 32);
    labProgramName->setFont(pixelFont(32, true));
    labProgramName->resize(379, 37);
    imgBanner = named(new QLabel(panel), "imgBanner");
    imgBanner->setGeometry(144, 93, 121, 150);
    imgBanner->setScaledContents(true);
    QLabel *heading = placedLabel(panel, "Label13", tr("Getting started:"), 334, 118);
    heading->setFont(pixelFont(26, true));
    setColour(heading, QPalette::WindowText, QColor(40, 180, 232));
    heading->adjustSize();
    const QString steps[] = {tr("1. Add video files in to the list."),
                             tr("2. Select a profile and specify the output path."),
                             tr("3. Click on the \"Join\" button.")};
    const char *names[] = {"Label14", "Label15", "Label16"};
    for (int i = 0; i < 3; ++i) {
        QLabel *step = placedLabel(panel, names[i], steps[i], 350, 158 + 27 * i);
        step->setFont(pixelFont(15));
        setColour(step, QPalette::WindowText, QColor(225, 125, 15));
        step->adjustSize();
    }
    panel->raise();
    return panel;
}

QWidget *TMainForm::buildBottomPanel()
{
    panBottom = named(new QWidget(this), "panBottom");
    panBottom->setFixedHeight(77);
    // The bottom strip is dark so that its white labels read; its
    // window-text labels follow the strip's light text colour.
    panBottom->setAutoFillBackground(true);
    setColour(panBottom, QPalette::Window, QColor(0x2b, 0x3a, 0x4a));
    setColour(panBottom, QPalette::WindowText, QColor(0xe8, 0xee, 0xf4));
    auto *fill = new QHBoxLayout(panBottom);
    fill->setContentsMargins(0, 0, 0, 0);
    panBottomRight = named(new QWidget(panBottom), "panBottomRight");
    fill->addWidget(panBottomRight);

    auto *row = new QHBoxLayout(panBottomRight);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto *left = new QWidget(panBottomRight);
    left->setFixedWidth(612);
    panBottomCenter = buildJobSettingsPanel(left);
    panBottomLeft = buildProgressPanel(left);
    Image1 = named(new QLabel(panBottomRight), "Image1");
    Image1->setScaledContents(true);
    // The strip only fills what the window's width leaves; it never widens it.
    Image1->setMinimumSize(0, 0);
    Image1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    panLogo = named(new QWidget(panBottomRight), "panLogo");
    panLogo->setFixedWidth(178);
    panLogo->setMouseTracking(true);
    imgStart = makeImageButton(ImageButtonKind::Start, QStringLiteral("imgStart"), panLogo, 25, 7);
    imgStop = makeImageButton(ImageButtonKind::Stop, QStringLiteral("imgStop"), panLogo, 24, 7);
    imgStop->hide();
    row->addWidget(left);
    row->addWidget(Image1, 1);
    row->addWidget(panLogo);
    return panBottom;
}

QWidget *TMainForm::buildJobSettingsPanel(QWidget *parent)
{
    auto *panel = named(new QWidget(parent), "panBottomCenter");
    panel->setGeometry(0, 0, 612, 77);
    labelEndingAt(panel, "Label1", tr("Profile:"), 71, 16);
    cmbProfile = named(new QComboBox(panel), "cmbProfile");
    cmbProfile->setEditable(false);
    cmbProfile->setGeometry(74, 13, 439, 21);
    bbtnSetting = pushButton(panel, "bbtnSetting", tr("&Setting"), 528, 10);
    labelEndingAt(panel, "Label2", tr("Output File:"), 72, 47);
    edtOutputFile = named(new QLineEdit(panel), "edtOutputFile");
    edtOutputFile->setGeometry(75, 43, 350, 21);
    bbtnBrowser = pushButton(panel, "bbtnBrowser", tr("&Browser"), 440, 41);
    bbtnOpen = pushButton(panel, "bbtnOpen", tr("&Open"), 528, 40);
    return panel;
}

QWidget *TMainForm::buildProgressPanel(QWidget *parent)
{
    auto *panel = named(new QWidget(parent), "panBottomLeft");
    panel->setGeometry(0, 0, 612, 77);
    labProcessTitle = placedLabel(panel, "labProcessTitle", tr("Converting (Prepare):"), 19, 8);
    labConvertingFile = labelAfter(panel, "labConvertingFile", tr("No File"), labProcessTitle);
    const QColor white(Qt::white);
    QLabel *label5 = placedLabel(panel, "label5", tr("Time Elapsed:"), 298, 8);
    setColour(label5, QPalette::WindowText, white);
    // Longer names are cut off where the times begin.
    labConvertingFile->setFixedWidth(label5->x() - 6 - labConvertingFile->x());
    labElapsed = labelAfter(panel, "labElapsed", QStringLiteral("00:00:00"), label5);
    QLabel *label6 =
        placedLabel(panel, "label6", tr("Time Remaining:"), std::max(441, labElapsed->x() + 58), 8);
    setColour(label6, QPalette::WindowText, white);
    labRemaining = labelAfter(panel, "labRemaining", QStringLiteral("00:00:00"), label6);
    labelEndingAt(panel, "label7", tr("Current Progress:"), 111, 29);
    pgbCurrent = named(new QProgressBar(panel), "pgbCurrent");
    pgbCurrent->setGeometry(115, 29, 442, 17);
    labCurProgress = placedLabel(panel, "labCurProgress", QStringLiteral("0%"), 565, 31);
    labelEndingAt(panel, "label8", tr("Total Progress:"), 111, 53);
    pgbTotal = named(new QProgressBar(panel), "pgbTotal");
    pgbTotal->setGeometry(115, 52, 442, 17);
    labTotalProgress = placedLabel(panel, "labTotalProgress", QStringLiteral("0%"), 565, 54);
    for (QProgressBar *bar : {pgbCurrent, pgbTotal}) {
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->setTextVisible(false);
    }
    for (QLabel *label : {labElapsed, labRemaining, labCurProgress, labTotalProgress}) {
        setColour(label, QPalette::WindowText, white);
        label->setMinimumWidth(60);
    }
    return panel;
}

void TMainForm::installLook()
{
    setWindowIcon(Pictures::applicationIcon());
    imgBkg->setPixmap(Pictures::render(QStringLiteral("gettingstarted-background")));
    imgBanner->setPixmap(Pictures::render(QStringLiteral("gettingstarted-banner")));
    Image1->setPixmap(Pictures::render(QStringLiteral("bottom-strip")));
    const QPair<QToolButton *, const char *> rowPictures[] = {{tbtnRemove, "row-delete"},
                                                              {tbtnClear, "row-clear"},
                                                              {tbtnUp, "row-up"},
                                                              {tbtnDown, "row-down"}};
    for (const auto &[button, name] : rowPictures)
        button->setIcon(QIcon(Pictures::render(QString::fromLatin1(name))));
    Look = new ToolbarLook(this);
    const QPair<QToolButton *, int> toolbar[] = {
        {tbtnAddFile, 0}, {tbtnAddDir, 1}, {tbtnSetting, 2}, {tbtnAbout, 5}, {tbtnHelp, 6}};
    for (const auto &[button, imageNumber] : toolbar)
        Look->addButton(button, imageNumber);
    Look->addImageButton(imgStart);
    Look->addImageButton(imgStop);
    Look->addResetSurface(panToolbar);
    Look->addResetSurface(panltvTask);
    Look->addImageSurface(panLogo);
}
