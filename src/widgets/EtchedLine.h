#pragma once

#include <QWidget>

namespace menugeral {

// An etched separator: two 1 px lines across the full width at the top of its
// box, the upper in the palette's dark (button shadow) colour, the lower in
// its light (button highlight) colour.
class EtchedLine : public QWidget
{
    Q_OBJECT

public:
    explicit EtchedLine(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace menugeral
