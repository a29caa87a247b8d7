#include "app/look/imagebutton.h"

#include <QMouseEvent>

using Pictures::Look;

ImageButton::ImageButton(QWidget *parent)
    : QLabel(parent)
{
    setMouseTracking(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The corners around the button are see-through to the panel behind.
    setAttribute(Qt::WA_TranslucentBackground);
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
