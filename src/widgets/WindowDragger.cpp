#include "widgets/WindowDragger.h"

#include "platform/DesktopWindowing.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include <utility>

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
        if (m_dragButton != Qt::NoButton || m_pendingButton != Qt::NoButton)
            return true; // another button during a move changes nothing
        m_systemMoveAsked = false;
        m_pressPosition = press->globalPosition().toPoint();
        m_grabOffset = m_pressPosition - window->frameGeometry().topLeft();
        // The window manager's move on X11 is told it is the left button and
        // would go on after any other button is released. It is asked for
        // only once the pointer moves with the button held: asked at the
        // press, a click whose release comes at once would leave the window
        // following the pointer under some window managers.
        if (window->windowHandle() != nullptr && (press->button() == Qt::LeftButton || !windowCanPlaceItself()))
            m_pendingButton = press->button();
        else
            m_dragButton = press->button();
        return true;
    }
    case QEvent::MouseMove: {
        auto *move = static_cast<QMouseEvent *>(event);
        if (m_pendingButton != Qt::NoButton) {
            if (!(move->buttons() & m_pendingButton)) {
                m_pendingButton = Qt::NoButton; // released elsewhere
                break;
            }
            if ((move->globalPosition().toPoint() - m_pressPosition).manhattanLength() <
                QApplication::startDragDistance())
                return true;
            const Qt::MouseButton button = std::exchange(m_pendingButton, Qt::NoButton);
            // Events may lag behind the button: a move asked for once it is
            // up would start with no button to end it.
            if (button == Qt::LeftButton && !leftButtonIsDown())
                return true;
            QWindow *handle = window->windowHandle();
            m_systemMoveAsked = handle != nullptr && handle->startSystemMove();
            if (m_systemMoveAsked)
                return true;
            m_dragButton = button; // no system move here: this filter moves the window
        }
        if (m_dragButton != Qt::NoButton) {
            // A release that went elsewhere still ends the move.
            if (!(move->buttons() & m_dragButton)) {
                m_dragButton = Qt::NoButton;
                break;
            }
            window->move(move->globalPosition().toPoint() - m_grabOffset);
            return true;
        }
        break;
    }
    case QEvent::MouseButtonRelease: {
        const Qt::MouseButton button = static_cast<QMouseEvent *>(event)->button();
        if (m_pendingButton != Qt::NoButton && button == m_pendingButton) {
            m_pendingButton = Qt::NoButton;
            return true;
        }
        // The release reached this window, so the window manager did not take
        // the move over while the button was down: a move it starts now must
        // end at once.
        if (m_systemMoveAsked && button == Qt::LeftButton) {
            m_systemMoveAsked = false;
            if (QWindow *handle = window->windowHandle())
                cancelSystemMove(*handle);
            return true;
        }
        if (m_dragButton != Qt::NoButton && button == m_dragButton) {
            m_dragButton = Qt::NoButton;
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace menugeral
