#include "app/look/imagebutton.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

using Pictures::Look;

namespace {

// A picture label would be read as a graphic; this one is a button that a
// screen reader can press.
class ImageButtonAccessible : public QAccessibleWidget {
public:
    explicit ImageButtonAccessible(ImageButton *button)
        : QAccessibleWidget(button, QAccessible::Button)
    {
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction() && widget()->isEnabled())
            static_cast<ImageButton *>(widget())->click();
        else
            QAccessibleWidget::doAction(actionName);
    }
};

QAccessibleInterface *imageButtonAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("ImageButton") && object->isWidgetType())
        return new ImageButtonAccessible(static_cast<ImageButton *>(object));
    return nullptr;
}

} // namespace

ImageButton::ImageButton(QWidget *parent)
    : QLabel(parent)
{
    setMouseTracking(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The corners around the button are see-through to the panel behind.
    setAttribute(Qt::WA_TranslucentBackground);
    // Reached by Tab like the toolbar buttons; a click leaves the focus where
    // it was.
    setFocusPolicy(Qt::TabFocus);
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(imageButtonAccessible);
        return true;
    }();
    Q_UNUSED(accessibleInstalled);
}

void ImageButton::click()
{
    emit clicked();
}

void ImageButton::setPictures(const QPixmap &normal, const QPixmap &hover, const QPixmap &pressed)
{
    pictures[Pictures::Normal] = normal;
    pictures[Pictures::Hover] = hover;
    pictures[Pictures::Pressed] = pressed;
    setPixmap(pictures[state]);
}

void ImageButton::showLook(Look look)
{
    state = look;
    setPixmap(pictures[look]);
}

void ImageButton::resetLook()
{
    if (!isHidden() && state != Pictures::Normal)
        showLook(Pictures::Normal);
}

// Mouse events are taken here and never handed on to the panel behind, whose
// own move handling would otherwise reset the picture just shown.
void ImageButton::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    if (state == Pictures::Normal)
        showLook(Pictures::Hover);
}

void ImageButton::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    leftPressed = event->button() == Qt::LeftButton;
    if (state != Pictures::Pressed)
        showLook(Pictures::Pressed);
}

// The second press of a double click looks pressed but does not click again:
// a double click on Start must not also reach the Stop that replaces it.
void ImageButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    leftPressed = false;
    if (state != Pictures::Pressed)
        showLook(Pictures::Pressed);
}

void ImageButton::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (state == Pictures::Pressed)
        showLook(Pictures::Hover);
    const bool click = leftPressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    leftPressed = false;
    if (click)
        emit clicked();
}

void ImageButton::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
            event->accept();
            if (!event->isAutoRepeat())
                emit keyActivated();
            return;
        }
    }
    QLabel::keyPressEvent(event);
}

void ImageButton::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect().adjusted(3, 3, -3, -3);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
}

ImageButton *makeImageButton(ImageButtonKind kind, const QString &objectName, QWidget *parent,
                             int left, int top)
{
    auto *button = new ImageButton(parent);
    button->setObjectName(objectName);
    const bool start = kind == ImageButtonKind::Start;
    const auto picture = start ? Pictures::start : Pictures::stop;
    button->setPictures(picture(Pictures::Normal), picture(Pictures::Hover),
                        picture(Pictures::Pressed));
    button->setGeometry(left, top, 133, 65);
    return button;
}
