#include "app/look/toolbarlook.h"

#include "app/look/imagebutton.h"

#include <QChildEvent>
#include <QEvent>
#include <QIcon>
#include <QToolButton>

using Pictures::Look;

ToolbarLook::ToolbarLook(QObject *parent)
    : QObject(parent)
{
}

void ToolbarLook::addButton(QToolButton *button, int imageNumber)
{
    Button entry;
    entry.widget = button;
    for (int look = Pictures::Normal; look <= Pictures::Pressed; ++look)
        entry.pictures[look] = Pictures::toolbar(imageNumber, Look(look));
    button->setIconSize(QSize(54, 54));
    buttons.append(entry);
    show(buttons.last(), Pictures::Normal);
    // A button ignores moves while no mouse button is down; they would then
    // reach the toolbar behind it and undo the hover picture just shown.
    button->setAttribute(Qt::WA_NoMousePropagation);
    watch(button, Role::Button);
}

void ToolbarLook::addImageButton(ImageButton *button)
{
    imageButtons.append(button);
}

void ToolbarLook::addResetSurface(QWidget *surface)
{
    watchSurface(surface, Role::ResetSurface);
}

void ToolbarLook::addImageSurface(QWidget *surface)
{
    watchSurface(surface, Role::ImageSurface);
}

void ToolbarLook::watch(QWidget *widget, Role role)
{
    if (!roles.contains(widget))
        connect(widget, &QObject::destroyed, this, [this](QObject *gone) { roles.remove(gone); });
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
    roles.insert(widget, role);
}

// A surface is watched with everything on it (the getting-started panel is
// covered by its pictures and labels), except the buttons, which have their
// own rules. Widgets placed on it later are taken in when they are polished,
// that is before they are first shown and fully constructed by then.
void ToolbarLook::watchSurface(QWidget *widget, Role role)
{
    if (qobject_cast<ImageButton *>(widget) || roles.value(widget, role) == Role::Button)
        return;
    watch(widget, role);
    for (QObject *child : widget->children()) {
        if (child->isWidgetType())
            watchSurface(static_cast<QWidget *>(child), role);
    }
}

ToolbarLook::Button *ToolbarLook::find(const QObject *button)
{
    for (Button &entry : buttons) {
        if (entry.widget == button)
            return &entry;
    }
    return nullptr;
}

const ToolbarLook::Button *ToolbarLook::find(const QObject *button) const
{
    return const_cast<ToolbarLook *>(this)->find(button);
}

Look ToolbarLook::lookState(const QToolButton *button) const
{
    const Button *entry = find(button);
    return entry ? entry->look : Pictures::Normal;
}

QPixmap ToolbarLook::picture(const QToolButton *button, Look look) const
{
    const Button *entry = find(button);
    return entry ? entry->pictures[look] : QPixmap();
}

void ToolbarLook::show(Button &button, Look look)
{
    // Setting the same icon again would only repaint; moves come often.
    if (button.look == look && !button.widget->icon().isNull())
        return;
    button.look = look;
    button.widget->setIcon(QIcon(button.pictures[look]));
}

void ToolbarLook::showAllNormal()
{
    for (Button &entry : buttons) {
        if (entry.widget)
            show(entry, Pictures::Normal);
    }
}

void ToolbarLook::tbtnAddFileMouseMove(QToolButton *button)
{
    showAllNormal();
    if (Button *entry = find(button))
        show(*entry, Pictures::Hover);
}

void ToolbarLook::tbtnAddFileMouseDown(QToolButton *button)
{
    if (Button *entry = find(button))
        show(*entry, Pictures::Pressed);
}

void ToolbarLook::tbtnAddFileMouseUp(QToolButton *button)
{
    if (Button *entry = find(button))
        show(*entry, Pictures::Hover);
}

void ToolbarLook::panToolbarMouseMove()
{
    showAllNormal();
    panLogoMouseMove();
}

void ToolbarLook::panLogoMouseMove()
{
    for (ImageButton *image : imageButtons) {
        if (image)
            image->resetLook();
    }
}

void ToolbarLook::onMouseEvent(QObject *watched, Role role, QEvent::Type type)
{
    if (role == Role::Button) {
        auto *button = static_cast<QToolButton *>(watched);
        if (type == QEvent::MouseMove)
            tbtnAddFileMouseMove(button);
        else if (type == QEvent::MouseButtonRelease)
            tbtnAddFileMouseUp(button);
        else
            tbtnAddFileMouseDown(button);
    } else if (type == QEvent::MouseMove) {
        if (role == Role::ResetSurface)
            panToolbarMouseMove();
        else
            panLogoMouseMove();
    }
}

bool ToolbarLook::eventFilter(QObject *watched, QEvent *event)
{
    const auto role = roles.constFind(watched);
    if (role == roles.constEnd())
        return false;
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        if (static_cast<QWidget *>(watched)->isEnabled())
            onMouseEvent(watched, *role, event->type());
        break;
    case QEvent::ChildPolished: {
        QObject *child = static_cast<QChildEvent *>(event)->child();
        if (*role != Role::Button && child->isWidgetType() && !roles.contains(child))
            watchSurface(static_cast<QWidget *>(child), *role);
        break;
    }
    default:
        break;
    }
    return false;
}
