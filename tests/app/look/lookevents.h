#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

// Mouse events sent straight to a widget: offscreen windows get no enter and
// leave events, and a move must reach exactly the widget it names. Sending
// through the application still hands an ignored event on to the parents,
// as the window system's own events would be.
inline void sendMouse(QWidget *widget, QEvent::Type type, Qt::MouseButton button = Qt::NoButton,
                      QPoint pos = QPoint(5, 5))
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease || type == QEvent::MouseMove
                                      ? Qt::MouseButtons()
                                      : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

inline void moveOver(QWidget *widget)
{
    sendMouse(widget, QEvent::MouseMove);
}

inline void press(QWidget *widget, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(widget, QEvent::MouseButtonPress, button);
}

inline void release(QWidget *widget, Qt::MouseButton button = Qt::LeftButton,
                    QPoint pos = QPoint(5, 5))
{
    sendMouse(widget, QEvent::MouseButtonRelease, button, pos);
}
