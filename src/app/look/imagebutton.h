#pragma once

#include "app/look/pictures.h"

#include <QLabel>
#include <QPixmap>

// A picture that works as a button (the Start and Stop images): it shows one
// of three pictures, normal, hover and pressed, and emits clicked() when the
// left mouse button is pressed and released on it; keyActivated() when Space
// or Enter is pressed while it has the focus. Screen readers see it as a
// button that they can press.
//
// The look state (the index of the picture shown) moves by these rules:
//   pointer moves over it        0 -> 1
//   any mouse button pressed     not 2 -> 2
//   the mouse button released    2 -> 1
//   resetLook()                  shown and not 0 -> 0
// and nothing else changes it: it survives being hidden and shown again.
class ImageButton : public QLabel {
    Q_OBJECT

public:
    explicit ImageButton(QWidget *parent = nullptr);

    // pictures: normal, hover, pressed, all of the button's size. Shows the
    // picture of the current look state.
    void setPictures(const QPixmap &normal, const QPixmap &hover, const QPixmap &pressed);
    QPixmap picture(Pictures::Look look) const { return pictures[look]; }

    Pictures::Look lookState() const { return state; }

    // The pointer has moved over the surface around the button: back to
    // normal, unless the button is hidden.
    void resetLook();

    // What a screen reader's press does: the same as a mouse click.
    void click();

signals:
    void clicked();
    // Space or Enter pressed while it has the focus; kept apart from the
    // click so that a key can be made to ask first.
    void keyActivated();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void showLook(Pictures::Look look);

    QPixmap pictures[3];
    Pictures::Look state = Pictures::Normal;
    bool leftPressed = false;
};

// Start is ImageList4, Stop is ImageList5.
enum class ImageButtonKind { Start, Stop };

// An image button of 133 x 65 with the Start or Stop pictures, named
// objectName, placed at left, top of parent.
ImageButton *makeImageButton(ImageButtonKind kind, const QString &objectName, QWidget *parent,
                             int left, int top);
