#pragma once

#include <QAbstractButton>
#include <QImage>

namespace menugeral {

// A tile button: no caption, frame or face, only its picture centred in its
// bounds (offset rounded down). While the left mouse button is held on it and
// the pointer is inside, the picture is drawn 2 px right and 2 px down.
// Hand cursor; it never takes the keyboard focus.
class PictureButton : public QAbstractButton
{
    Q_OBJECT

public:
    // How far the picture moves while the button is held down.
    static constexpr QPoint kPressedShift{2, 2};

    explicit PictureButton(QWidget *parent = nullptr);

    void setPicture(const QImage &picture);
    const QImage &picture() const;

    // Where the picture's top-left corner is drawn now, in the button's coordinates.
    QPoint pictureOffset() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
};

} // namespace menugeral
