#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace menugeral {

// Lets a borderless window be moved by pressing any mouse button on `handle`
// (a double click's second press included): the window manager's own move
// where it offers one, otherwise the window follows the pointer until the
// button is released. It consumes the handle's mouse presses.
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
    bool m_manualMove = false;
    QPoint m_grabOffset;
};

} // namespace menugeral
