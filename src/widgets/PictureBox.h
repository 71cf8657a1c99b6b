#pragma once

#include <QImage>
#include <QWidget>

namespace menugeral {

// A picture drawn with its alpha channel: centred in the box (offset rounded
// down), at its top-left corner, or stretched to the box.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    enum class Placement
    {
        Centred,
        TopLeft,
        Stretched,
    };

    explicit PictureBox(QWidget *parent = nullptr, Placement placement = Placement::Centred);

    void setPicture(const QImage &picture);
    const QImage &picture() const;
    Placement placement() const;

    // Where the picture's top-left corner is drawn, in the box's coordinates.
    QPoint pictureOffset() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    Placement m_placement;
};

} // namespace menugeral
