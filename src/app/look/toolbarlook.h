#pragma once

#include "app/look/pictures.h"

#include <QEvent>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPixmap>
#include <QPointer>

class ImageButton;
class QToolButton;
class QWidget;

// The hover and pressed look of the toolbar buttons, and the surfaces whose
// crossing puts every button picture back to normal.
//
// A toolbar button shows the picture of its image number (ImageList0 normal,
// ImageList1 hover, ImageList2 pressed):
//   pointer moves over it         every button normal, then this one hover
//   any mouse button pressed      this one pressed
//   the mouse button released     this one hover
// Moving over a reset surface (the free toolbar area, the getting-started
// panel) puts every toolbar button to normal and resets the image buttons;
// moving over an image surface (panLogo) resets only the image buttons.
// Nothing else resets: a button left for the task list keeps its hover look.
class ToolbarLook : public QObject {
    Q_OBJECT

public:
    explicit ToolbarLook(QObject *parent = nullptr);

    // Gives button its normal picture at 54 x 54 and follows its mouse events.
    void addButton(QToolButton *button, int imageNumber);
    // The Start and Stop images, reset by the surfaces below.
    void addImageButton(ImageButton *button);
    // panToolbar and panltvTask; the widgets on them count as the surface.
    void addResetSurface(QWidget *surface);
    // panLogo.
    void addImageSurface(QWidget *surface);

    // The look a toolbar button shows; Normal for one not added.
    Pictures::Look lookState(const QToolButton *button) const;
    // The picture a toolbar button shows in a look.
    QPixmap picture(const QToolButton *button, Pictures::Look look) const;

    // The handlers, public so that the window's own code can run them.
    void tbtnAddFileMouseMove(QToolButton *button);
    void tbtnAddFileMouseDown(QToolButton *button);
    void tbtnAddFileMouseUp(QToolButton *button);
    void panToolbarMouseMove();
    void panLogoMouseMove();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Role { Button, ResetSurface, ImageSurface };
    struct Button {
        QPointer<QToolButton> widget;
        QPixmap pictures[3];
        Pictures::Look look = Pictures::Normal;
    };

    void watch(QWidget *widget, Role role);
    void watchSurface(QWidget *widget, Role role);
    Button *find(const QObject *button);
    const Button *find(const QObject *button) const;
    void show(Button &button, Pictures::Look look);
    void showAllNormal();
    void onMouseEvent(QObject *watched, Role role, QEvent::Type type);

    QList<Button> buttons;
    QList<QPointer<ImageButton>> imageButtons;
    QHash<const QObject *, Role> roles;
};
