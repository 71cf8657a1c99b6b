#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace menugeral {

class BalloonWindow;

// Shows every hint of the application as a balloon instead of the plain
// tool-tip box: rounded corners (11 x 11 ellipse), a stem pointing at the
// pointer, the hint colour, a 1 px black outline and a drop shadow; only the
// text, from 12 px off the left edge; placed so it stays on the screen.
// Widgets without a hint show nothing.
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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<BalloonWindow> m_balloon;
};

} // namespace menugeral
