#include "widgets/WindowDragger.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace menugeral {
namespace {

// Wayland lets no client place its own window: the compositor's move is the
// only one there is, and it ends when the buttons are released.
bool windowCanPlaceItself()
{
    return !QGuiApplication::platformName().startsWith(u"wayland");
}

} // namespace

WindowDragger::WindowDragger(QWidget *handle) : QObject(handle), m_handle(handle)
{
    handle->installEventFilter(this);
}

bool WindowDragger::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_handle)
        return QObject::eventFilter(watched, event);

    QWidget *window = m_handle->window();
    switch (event->type()) {
    // A quick second press arrives as a double click; it starts a move too.
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto *press = static_cast<QMouseEvent *>(event);
        Q_EMIT pressed();
        if (m_dragButton != Qt::NoButton)
            return true; // another button during a move changes nothing
        // The window manager's move on X11 is told it is the left button and
        // would go on after any other button is released.
        QWindow *handle = window->windowHandle();
        const bool systemMove = handle != nullptr && (press->button() == Qt::LeftButton || !windowCanPlaceItself()) &&
                                handle->startSystemMove();
        if (!systemMove) {
            m_dragButton = press->button();
            m_grabOffset = press->globalPosition().toPoint() - window->frameGeometry().topLeft();
        }
        return true;
    }
    case QEvent::MouseMove:
        if (m_dragButton != Qt::NoButton) {
            auto *move = static_cast<QMouseEvent *>(event);
            // A release that went elsewhere still ends the move.
            if (!(move->buttons() & m_dragButton)) {
                m_dragButton = Qt::NoButton;
                break;
            }
            window->move(move->globalPosition().toPoint() - m_grabOffset);
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (m_dragButton != Qt::NoButton && static_cast<QMouseEvent *>(event)->button() == m_dragButton) {
            m_dragButton = Qt::NoButton;
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace menugeral
