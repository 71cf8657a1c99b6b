#include "settings/DialogPlacement.h"

#include "core/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace menugeral {
namespace {

// The outer rectangle from the client area and the frame asked of the window
// itself: the widget's own frame geometry can still hold what was known
// before the window manager framed the window.
QRect outerGeometry(const QWidget &window)
{
    return window.geometry().marginsAdded(knownFrameMargins(window));
}

void moveOuterTo(QWidget &window, QPoint topLeft)
{
    const QMargins frame = knownFrameMargins(window);
    window.setGeometry(QRect(topLeft + QPoint(frame.left(), frame.top()), window.size()));
}

} // namespace

QMargins knownFrameMargins(const QWidget &window)
{
    const QWindow *handle = window.windowHandle();
    if (!handle)
        return {};
    // A window not yet framed can report margins that are not ones at all.
    const QMargins margins = handle->frameMargins();
    const bool framed = margins.left() >= 0 && margins.top() >= 0 && margins.right() >= 0 && margins.bottom() >= 0;
    return framed ? margins : QMargins();
}

void centreOnScreenOf(QWidget &window, const QWidget *reference)
{
    const QScreen *screen = reference ? reference->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect outer = outerGeometry(window);
    outer.moveCenter(screen->geometry().center());
    moveOuterTo(window, outer.topLeft());
}

void keepInsideHost(QWidget &window, const QWidget *host, int topMargin)
{
    if (!host)
        return;
    const QRect outer = outerGeometry(window);
    const QPoint wanted = keepInside(outer, outerGeometry(*host), {topMargin});
    if (wanted != outer.topLeft())
        moveOuterTo(window, wanted);
}

} // namespace menugeral
