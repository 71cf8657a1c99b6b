#pragma once

#include "widgets/CaptionLabel.h"

namespace menugeral {

// A label that reports a click: the left button pressed and released over it.
class ClickableLabel : public CaptionLabel
{
    Q_OBJECT

public:
    explicit ClickableLabel(const QString &text, QWidget *parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};

} // namespace menugeral
