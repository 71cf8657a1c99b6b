// The second yardstick for the menu's start-up: a bare Qt program that shows
// one frameless 780 x 569 window painted with the menu's background, read the
// obvious way from "background.png" beside the program. What showing that
// picture costs at best, without anything the menu does besides.
#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace {

class PictureWindow : public QWidget
{
public:
    explicit PictureWindow(const QString &fileName)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_picture(fileName)
    {
        setFixedSize(780, 569);
    }

    bool hasPicture() const { return !m_picture.isNull(); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.drawPixmap(0, 0, m_picture);
    }

private:
    QPixmap m_picture;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    PictureWindow window(QCoreApplication::applicationDirPath() + QStringLiteral("/background.png"));
    if (!window.hasPicture())
        return 1; // a floor without its picture would flatter the menu
    window.show();
    return app.exec();
}
