#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <chrono>
#include <memory>
#include <optional>

class QWidget;

namespace menugeral {

class BalloonWindow;

// Shows every hint of the application as a balloon instead of the plain
// tool-tip box: rounded corners (11 x 11 ellipse), a stem pointing at the
// pointer, the hint colour, a 1 px black outline and a drop shadow; only the
// text, in the hint font, from 12 px off the left edge; placed so that it
// stays on the screen.
//
// The constructor installs the object as the application's event filter, so
// one instance, created after the application object and kept for the whole
// run, serves every window. It takes over every tool-tip request: a widget
// shows its own toolTip() or nothing (never a parent's hint, never Qt's own
// tool-tip box). The balloon hides when the pointer leaves the widget, on any
// mouse press or key press, when the widget hides or is destroyed, and after
// a display time like a plain tool-tip's.
class BalloonHint : public QObject
{
    Q_OBJECT

public:
    explicit BalloonHint(QObject *parent = nullptr);
    ~BalloonHint() override;

    // The balloon on screen now, or nullptr.
    QWidget *currentBalloon() const;

    // Shows the hint of `widget` for the pointer at `globalPos`; returns false
    // (and shows nothing) when the widget has no hint.
    bool showHintFor(QWidget *widget, const QPoint &globalPos);
    void hideBalloon();

    // How long a balloon stays; by default 10 s plus 40 ms for every
    // character past the hundredth, as for a plain tool-tip.
    void setDisplayTime(std::chrono::milliseconds displayTime);

    // Translucent balloons with a soft shadow, or opaque ones cut to shape by
    // a mask. By default the desktop is asked at every balloon.
    void setTranslucent(bool translucent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::chrono::milliseconds displayTimeFor(const QString &text) const;

    std::unique_ptr<BalloonWindow> m_balloon;
    QPointer<QWidget> m_widget; // whose hint the balloon shows
    QMetaObject::Connection m_widgetDestroyed;
    QTimer m_hideTimer;
    std::optional<std::chrono::milliseconds> m_displayTime;
    std::optional<bool> m_translucent;
};

} // namespace menugeral
