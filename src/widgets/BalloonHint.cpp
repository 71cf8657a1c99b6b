#include "widgets/BalloonHint.h"

#include "platform/DesktopWindowing.h"
#include "widgets/BalloonWindow.h"

#include <QApplication>
#include <QCursor>
#include <QHelpEvent>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace menugeral {

namespace {

const QScreen *screenFor(const QPoint &globalPos, const QWidget *widget)
{
    if (const QScreen *screen = QGuiApplication::screenAt(globalPos))
        return screen;
    if (const QScreen *screen = widget->screen())
        return screen;
    return QGuiApplication::primaryScreen();
}

bool pointerIsOver(const QWidget *widget)
{
    return widget->rect().contains(widget->mapFromGlobal(QCursor::pos()));
}

} // namespace

BalloonHint::BalloonHint(QObject *parent) : QObject(parent)
{
    Q_ASSERT(QCoreApplication::instance() != nullptr);
    QCoreApplication::instance()->installEventFilter(this);
    m_hideTimer.setSingleShot(true);
    connect(&m_hideTimer, &QTimer::timeout, this, &BalloonHint::hideBalloon);
}

BalloonHint::~BalloonHint()
{
    hideBalloon();
}

QWidget *BalloonHint::currentBalloon() const
{
    return m_balloon.get();
}

bool BalloonHint::showHintFor(QWidget *widget, const QPoint &globalPos)
{
    const QString text = widget != nullptr ? widget->toolTip() : QString();
    if (text.isEmpty()) {
        hideBalloon();
        return false;
    }
    // The same hint asked for again while the pointer rests on the widget
    // stays where it is, as a plain tool-tip does.
    if (m_balloon != nullptr && m_widget == widget && m_balloon->text() == text)
        return true;

    hideBalloon();
    const QScreen *screen = screenFor(globalPos, widget);
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect(globalPos, QSize(1, 1));
    const bool translucent = m_translucent.value_or(desktopHasTranslucentWindows());
    m_balloon = std::make_unique<BalloonWindow>(text, globalPos, available, translucent);
    m_widget = widget;
    m_widgetDestroyed = connect(widget, &QObject::destroyed, this, &BalloonHint::hideBalloon);
    m_balloon->show();
    m_hideTimer.start(displayTimeFor(text));
    return true;
}

void BalloonHint::hideBalloon()
{
    m_hideTimer.stop();
    disconnect(m_widgetDestroyed);
    m_widget = nullptr;
    // The balloon takes no input, so it is never on the call stack here.
    m_balloon.reset();
}

void BalloonHint::setDisplayTime(std::chrono::milliseconds displayTime)
{
    m_displayTime = displayTime;
}

void BalloonHint::setTranslucent(bool translucent)
{
    m_translucent = translucent;
}

std::chrono::milliseconds BalloonHint::displayTimeFor(const QString &text) const
{
    using namespace std::chrono_literals;
    return m_displayTime.value_or(10s + 40ms * std::max<qsizetype>(0, text.size() - 100));
}

bool BalloonHint::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
        if (watched->isWidgetType()) {
            // Consumed either way: Qt would otherwise show its own box, or
            // pass the request on to the parent and show the parent's hint.
            showHintFor(static_cast<QWidget *>(watched), static_cast<QHelpEvent *>(event)->globalPos());
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::Wheel:
        if (m_balloon != nullptr)
            hideBalloon();
        break;
    case QEvent::Leave:
        // Mapping the balloon under the pointer can itself make the window
        // system report a leave; only a pointer really outside counts.
        if (m_balloon != nullptr && watched == m_widget && !pointerIsOver(static_cast<QWidget *>(watched)))
            hideBalloon();
        break;
    case QEvent::Hide:
    case QEvent::ToolTipChange:
        if (m_balloon != nullptr && watched == m_widget)
            hideBalloon();
        break;
    case QEvent::WindowDeactivate:
        if (m_balloon != nullptr && m_widget != nullptr && watched == m_widget->window())
            hideBalloon();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace menugeral
