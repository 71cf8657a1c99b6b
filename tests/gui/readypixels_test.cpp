// The menu's pictures as the build stores them ready to paint.

#include "menu/MenuArtwork.h"
#include "menu/ReadyPixels.h"

#include <QDirIterator>
#include <QImage>
#include <QResource>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

// Every embedded PNG at its own density: the loader gives its pixels exactly
// as decoding it would, from the program's own bytes rather than a copy.
TEST(ReadyPixels, EveryPictureIsItsPngPixelForPixelWrappedWhereItLies)
{
    int pictures = 0;
    QDirIterator it(u":/menu"_s, {u"*.png"_s}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString png = it.next();
        if (png.contains(u"@2x"))
            continue;
        ++pictures;
        const QString name = png.mid(2); // without ":/"
        SCOPED_TRACE(name.toStdString());
        const QResource ready(menugeral::kReadyPixelsRoot + name);
        ASSERT_TRUE(ready.isValid());
        EXPECT_EQ(ready.compressionAlgorithm(), QResource::NoCompression);

        const QImage decoded(png);
        const QImage loaded = menugeral::loadArtwork(name, 1.0);
        EXPECT_EQ(loaded, decoded.convertToFormat(menugeral::paintingFormat(decoded)));
        EXPECT_GE(loaded.constBits(), ready.data());
        EXPECT_LE(loaded.constBits() + loaded.sizeInBytes(), ready.data() + ready.size());
    }
    EXPECT_GE(pictures, 28); // the backdrop, logos, lines, captions and tiles
}

} // namespace
