#pragma once

#include <QObject>
#include <QStringView>

#include <memory>

namespace menugeral {

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
