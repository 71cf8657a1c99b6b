#pragma once

#include <QColor>
#include <QWidget>

namespace menugeral {

// Colours of a rounded gradient panel.
struct GradientPanelColours
{
    QColor fill;    // upper half, top
    QColor fill2;   // upper half, bottom
    QColor mirror;  // lower half, top
    QColor mirror2; // lower half, bottom
    QColor border;  // 1 px outline, alpha included
};

// A panel cut at half its height, each half a vertical gradient of its two
// colours, outlined with a 1 px line whose four corners are rounded to 4 px.
// Outside the rounded outline whatever lies beneath shows through. No shadow,
// no caption.
class GradientPanel : public QWidget
{
    Q_OBJECT

public:
    static constexpr qreal kCornerRadius = 4.0;

    explicit GradientPanel(const GradientPanelColours &colours, QWidget *parent = nullptr);

    const GradientPanelColours &colours() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    GradientPanelColours m_colours;
};

} // namespace menugeral
