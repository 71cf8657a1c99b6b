#pragma once

#include "widgets/BalloonLayout.h"

#include <QPainterPath>
#include <QWidget>

namespace menugeral {

// The window of one balloon hint: a frameless tool-tip window that never
// takes the focus or the mouse. On a desktop that composites windows it is
// translucent and draws its own soft shadow; elsewhere it is opaque and cut
// to the balloon's shape with a mask, without a shadow.
class BalloonWindow : public QWidget
{
    Q_OBJECT

public:
    // Left margin of the text inside the body.
    static constexpr int kTextLeft = 12;

    BalloonWindow(const QString &text, const QPoint &pointer, const QRect &available, bool translucent);

    const QString &text() const;
    bool isTranslucent() const;
    // Where the balloon stands, in global coordinates.
    const BalloonLayout &layout() const;

    // The size of the rounded body that holds `text`.
    static QSize bodySizeFor(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPainterPath outline() const; // body and stem, through the edge pixels' centres

    QString m_text;
    bool m_translucent;
    BalloonLayout m_layout;
};

} // namespace menugeral
