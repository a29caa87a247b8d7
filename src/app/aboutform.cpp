#include "app/aboutform.h"

#include "app/look/pictures.h"

#include "platform/shellopener.h"
#include "settings/programinfo.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <functional>

namespace {

// A label that acts like a web link: blue, hand pointer, a click runs an action.
class LinkLabel : public QLabel {
public:
    LinkLabel(QWidget *parent, std::function<void()> action)
        : QLabel(parent)
        , Action(std::move(action))
    {
        setCursor(Qt::PointingHandCursor);
        QPalette colours = palette();
        colours.setColor(QPalette::WindowText, Qt::blue);
        setPalette(colours);
    }

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        QLabel::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            Action();
    }

private:
    std::function<void()> Action;
};

QFont pixelFont(const QFont &base, int pixels)
{
    QFont font = base;
    font.setPixelSize(pixels);
    return font;
}

QLabel *placedLabel(QLabel *label, const char *name, int left, int top)
{
    label->setObjectName(QLatin1String(name));
    label->move(left, top);
    return label;
}

QLabel *plainLabel(QWidget *parent, const char *name, int left, int top)
{
    return placedLabel(new QLabel(parent), name, left, top);
}

// A picture stretched over its place.
QLabel *picture(QWidget *parent, const char *name, const QRect &place, const QString &artwork)
{
    auto *image = new QLabel(parent);
    image->setObjectName(QLatin1String(name));
    image->setGeometry(place);
    image->setScaledContents(true);
    image->setPixmap(Pictures::render(artwork, place.size()));
    return image;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, int left, int top)
{
    auto *pushButton = new QPushButton(caption, parent);
    pushButton->setObjectName(QLatin1String(name));
    pushButton->setGeometry(left, top, 75, 25);
    return pushButton;
}

void setUnderlined(QLabel *label, bool underlined)
{
    QFont font = label->font();
    font.setUnderline(underlined);
    label->setFont(font);
}

} // namespace

TAboutForm::TAboutForm(const QString &versionText, ShellOpener *shell, QWidget *mainWindow)
    : MainWindowDialog(mainWindow)
    , Shell(shell)
{
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(tr("About"));
    setFont(pixelFont(font(), 11));
    setFixedSize(503, 290);
    buildUpperPanel();
    buildLowerPanel();
    FormCreate(versionText);
}

void TAboutForm::buildUpperPanel()
{
    auto *Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, 503, 167);
    picture(Panel1, "imgbk", QRect(0, 0, 117, 167), QStringLiteral("about-side"));
    picture(Panel1, "Image2", QRect(117, 0, 386, 167), QStringLiteral("about-background"));
    // The pictures are light, so the texts on them stay dark in any theme.
    QPalette onPictures = Panel1->palette();
    onPictures.setColor(QPalette::WindowText, QColor(0x1d, 0x27, 0x33));
    Panel1->setPalette(onPictures);

    labProgramName = plainLabel(Panel1, "labProgramName", 136, 14);
    labVersion = plainLabel(Panel1, "labVersion", 136, 32);
    labCopyright = plainLabel(Panel1, "labCopyright", 136, 76);
    labRightsReserved = plainLabel(Panel1, "labRightsReserved", 136, 92);
    plainLabel(Panel1, "labVisitWebsite", 136, 123)->setText(tr("Visit our website"));
    labWebsite =
        placedLabel(new LinkLabel(Panel1, [this] { labWebsiteClick(); }), "labWebsite", 136, 139);
    setUnderlined(labWebsite, true);
}

void TAboutForm::buildLowerPanel()
{
    auto *panBottom = new QWidget(this);
    panBottom->setObjectName(QStringLiteral("panBottom"));
    panBottom->setGeometry(0, 167, 503, 123);

    plainLabel(panBottom, "Label7", 16, 8)->setText(tr("More video converting softwares"));
    placedLabel(new LinkLabel(panBottom, [this] { labMoreClick(); }), "labMore", 184, 8)
        ->setText(tr("(More)"));
    Label8 = placedLabel(new LinkLabel(panBottom, [this] { Label8Click(); }), "Label8", 16, 27);
    Label9 = placedLabel(new LinkLabel(panBottom, [this] { Label9Click(); }), "Label9", 16, 43);
    Label10 = placedLabel(new LinkLabel(panBottom, [this] { Label10Click(); }), "Label10", 16, 59);

    connect(button(panBottom, "btnTech", tr("Tech Support"), 16, 88), &QPushButton::clicked, this,
            &TAboutForm::btnTechClick);
    connect(button(panBottom, "btnSales", tr("Sales Support"), 104, 88), &QPushButton::clicked,
            this, &TAboutForm::btnSalesClick);
    QPushButton *btnOK = button(panBottom, "btnOK", tr("&OK"), 408, 88);
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &TAboutForm::btnOKClick);
}

void TAboutForm::FormCreate(const QString &versionText)
{
    labProgramName->setText(ProgramInfo::ProgramName);
    labVersion->setText(tr("Version ") + versionText);
    labCopyright->setText(ProgramInfo::CopyrightNotice());
    labRightsReserved->setText(ProgramInfo::RightsReserved());
    labWebsite->setText(ProgramInfo::WebSite);
    const QList<ProgramInfo::OtherProgram> others = ProgramInfo::OtherPrograms();
    Label8->setText(others.value(0).name);
    Label9->setText(others.value(1).name);
    Label10->setText(others.value(2).name);
    fitTexts();
}

void TAboutForm::fitTexts()
{
    for (QLabel *label : findChildren<QLabel *>()) {
        if (label->pixmap().isNull() && !label->autoFillBackground())
            label->adjustSize();
    }
    // The platform's font may run wider than the box was drawn for: keep
    // "(More)" clear of the line it follows.
    QLabel *Label7 = findChild<QLabel *>(QStringLiteral("Label7"));
    QLabel *labMore = findChild<QLabel *>(QStringLiteral("labMore"));
    labMore->move(qMax(labMore->x(), Label7->geometry().right() + 5), labMore->y());
}

void TAboutForm::btnOKClick()
{
    close();
}

void TAboutForm::labWebsiteClick()
{
    // The label's own text, so what the user reads is what opens.
    Shell->open(labWebsite->text());
}

void TAboutForm::labMoreClick()
{
    Shell->open(ProgramInfo::WebSite);
}

void TAboutForm::Label8Click()
{
    openOtherProgram(0);
}

void TAboutForm::Label9Click()
{
    openOtherProgram(1);
}

void TAboutForm::Label10Click()
{
    openOtherProgram(2);
}

void TAboutForm::openOtherProgram(int position)
{
    Shell->open(ProgramInfo::OtherPrograms().value(position).address);
}

void TAboutForm::btnTechClick()
{
    Shell->open(QStringLiteral("mailto:") + ProgramInfo::TechSupportAddress);
}

void TAboutForm::btnSalesClick()
{
    Shell->open(QStringLiteral("mailto:") + ProgramInfo::SalesAddress);
}
