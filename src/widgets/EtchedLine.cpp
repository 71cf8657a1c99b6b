#include "widgets/EtchedLine.h"

#include <QPainter>

namespace menugeral {

EtchedLine::EtchedLine(QWidget *parent) : QWidget(parent)
{}

void EtchedLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(0, 0, width(), 1, palette().color(QPalette::Dark));
    painter.fillRect(0, 1, width(), 1, palette().color(QPalette::Light));
}

} // namespace menugeral
