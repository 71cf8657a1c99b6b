// The yardstick for the menu's start-up: a bare Qt program that shows one
// frameless 780 x 569 window and nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setFixedSize(780, 569);
    window.show();
    return app.exec();
}
