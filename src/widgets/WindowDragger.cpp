#include "widgets/WindowDragger.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace menugeral {

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
        QWindow *handle = window->windowHandle();
        m_manualMove = handle == nullptr || !handle->startSystemMove();
        if (m_manualMove)
            m_grabOffset = press->globalPosition().toPoint() - window->frameGeometry().topLeft();
        return true;
    }
    case QEvent::MouseMove:
        if (m_manualMove) {
            auto *move = static_cast<QMouseEvent *>(event);
            window->move(move->globalPosition().toPoint() - m_grabOffset);
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (m_manualMove) {
            m_manualMove = false;
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace menugeral
