#pragma once

#include <QByteArray>
#include <QObject>
#include <QStringView>
#include <QtGlobal>

#include <memory>

class QWidget;

namespace menugeral {

// Looks for a top-level window of the given window class (on X11 the class
// part of WM_CLASS, matched exactly), whichever program owns it; when found,
// shows it normally if it is minimised or hidden, brings it to the front and
// returns true.
bool activateWindowOfClass(QStringView windowClass);

// The same for a window known by its native id (QWidget::winId()), which may
// belong to another process. Returns false when there is no such window.
bool activateNativeWindow(quintptr windowId);

// Asks for one of this program's own windows to get the focus, through Qt
// (QWindow::requestActivate). `activationToken` is what the compositor gave
// another process to pass the focus on (see launcherToken), handed over so
// that focus-stealing prevention lets the request through; on X11 it is the
// launcher's startup id, and its start-up sequence is completed. Empty when
// there is none, and unused where the system has no such thing.
void requestActivation(QWidget &window, const QByteArray &activationToken);

// Makes the running program findable by a window class of its choosing, the
// way another start looks for it (activateWindowOfClass). On X11 Qt already
// names every window's class after the application, so nothing is added. On
// Windows Qt names its window classes itself, so a hidden top-level window of
// the class stands in for the menu: it never shows, and whatever another
// program does to it (show it, restore it, bring it to the front) becomes
// activationRequested(), on which the menu comes forward itself.
class WindowClassMarker : public QObject
{
    Q_OBJECT

public:
    explicit WindowClassMarker(QStringView windowClass, QObject *parent = nullptr);
    ~WindowClassMarker() override;

Q_SIGNALS:
    void activationRequested();

private:
    class Private;
    std::unique_ptr<Private> d;
};

} // namespace menugeral
