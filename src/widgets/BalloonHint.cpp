#include "widgets/BalloonHint.h"

// Placeholder until the balloon lands: hints fall back to Qt's tool-tip.
namespace menugeral {

class BalloonWindow : public QObject
{
};

BalloonHint::BalloonHint(QObject *parent) : QObject(parent) {}

BalloonHint::~BalloonHint() = default;

QWidget *BalloonHint::currentBalloon() const
{
    return nullptr;
}

bool BalloonHint::showHintFor(QWidget *, const QPoint &)
{
    return false;
}

void BalloonHint::hideBalloon() {}

bool BalloonHint::eventFilter(QObject *watched, QEvent *event)
{
    return QObject::eventFilter(watched, event);
}

} // namespace menugeral
