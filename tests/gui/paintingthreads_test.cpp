#include "widgets/GradientPanel.h"
#include "widgets/PictureBox.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace menugeral {
namespace {
using namespace Qt::StringLiterals;

// Qt's painting threads alive in this process, by the name Qt gives them.
int paintingThreads()
{
    int count = 0;
    const QDir tasks(u"/proc/self/task"_s);
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile name(tasks.filePath(task + u"/comm"_s));
        if (name.open(QIODevice::ReadOnly) && name.readAll().trimmed() == "Thread (pooled)")
            ++count;
    }
    return count;
}

QImage rendered(QWidget &widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::darkBlue);
    widget.render(&image);
    return image;
}

// The window's first paint must not wait while Qt starts its pool of painting
// threads: the tall panel with its translucent border and the stretched
// separator are painted on the painting thread alone.
TEST(PaintingThreads, TallPanelAndStretchedPictureAreNotHandedToThem)
{
    if (!QDir(u"/proc/self/task"_s).exists())
        GTEST_SKIP() << "no way to see this process's threads";
    const int before = paintingThreads();

    GradientPanel panel({QColor(0xFC, 0xFC, 0xFC), QColor(0xFC, 0xFC, 0xFC), QColor(0xFC, 0xFC, 0xFC),
                         QColor(0xCA, 0xCA, 0xCB), QColor(0xCA, 0xCA, 0xCB, 155)});
    panel.resize(736, 435);
    rendered(panel);
    PictureBox separator(nullptr, PictureBox::Placement::Stretched);
    separator.resize(2, 320);
    QImage line(2, 462, QImage::Format_ARGB32);
    line.fill(qRgba(0xE6, 0xE7, 0xE9, 200));
    separator.setPicture(line);
    rendered(separator);
    EXPECT_EQ(paintingThreads(), before);

    // What the two avoid: one tall translucent fill starts the threads.
    QImage tall(2, 435, QImage::Format_ARGB32_Premultiplied);
    QPainter(&tall).fillRect(tall.rect(), QColor(0xCA, 0xCA, 0xCB, 155));
    if (paintingThreads() == before)
        GTEST_SKIP() << "this Qt paints on one thread anyway";
}

} // namespace
} // namespace menugeral
