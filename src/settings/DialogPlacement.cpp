#include "settings/DialogPlacement.h"

#include "catalogue/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace menugeral {

void centreOnScreenOf(QWidget &window, const QWidget *reference)
{
    const QScreen *screen = reference ? reference->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect outer = window.frameGeometry();
    outer.moveCenter(screen->geometry().center());
    window.move(outer.topLeft());
}

void keepInsideHost(QWidget &window, const QWidget *host, int topMargin)
{
    if (!host)
        return;
    const QRect outer = window.frameGeometry();
    const QPoint wanted = keepInside(outer, host->frameGeometry(), {topMargin});
    if (wanted != outer.topLeft())
        window.move(wanted);
}

} // namespace menugeral
