#pragma once

#include <QImage>
#include <QLabel>

namespace menugeral {

// A label whose text can come ready drawn: a picture of exactly what the label
// would paint, made ahead of time with the same face, size and colour. While
// the picture stands for the current text the label shows it and asks nothing
// of the font system, which costs a program that draws no other text a good
// part of its start-up; any other text is drawn as usual.
class CaptionLabel : public QLabel
{
    Q_OBJECT

public:
    explicit CaptionLabel(const QString &text, QWidget *parent = nullptr);

    // The picture is the label's size (in device-independent pixels) and is
    // drawn at its top-left corner; a null picture draws the text. It stands
    // for the text and font the label has when it is given.
    void setCaptionPicture(const QImage &picture);
    const QImage &captionPicture() const;

    // Whether the next paint shows the picture rather than drawing the text.
    bool showsCaptionPicture() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    QString m_pictureText; // the text and face the picture was made for
    QFont m_pictureFont;
};

} // namespace menugeral
