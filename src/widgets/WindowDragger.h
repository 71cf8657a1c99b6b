#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace menugeral {

// Lets a borderless window be moved by pressing any mouse button on `handle`
// (a double click's second press included); the window follows the pointer
// while that button is held. The left button uses the window manager's own
// move where it offers one, asked for once the pointer has moved by the drag
// distance with the button held; other buttons move the window from here,
// except where a window cannot place itself (Wayland) and the compositor's
// move is the only one. It consumes the handle's mouse presses.
class WindowDragger : public QObject
{
    Q_OBJECT

public:
    explicit WindowDragger(QWidget *handle);

Q_SIGNALS:
    // Emitted on every press that starts a move (the handle's mouse-down
    // event), before the move starts.
    void pressed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_handle;
    Qt::MouseButton m_dragButton = Qt::NoButton;    // of a move made from here
    Qt::MouseButton m_pendingButton = Qt::NoButton; // pressed, the system move not asked for yet
    bool m_systemMoveAsked = false;                 // and its release not seen yet
    QPoint m_pressPosition;
    QPoint m_grabOffset;
};

} // namespace menugeral
