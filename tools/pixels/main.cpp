// Build-time tool: turns a PNG into the pixels the program wraps without
// decoding, in the format it paints fastest (see src/menu/ReadyPixels.h).
//
//   menugeral-pixels <picture.png> <output>

#include "menu/ReadyPixels.h"

#include <QFile>
#include <QImageReader>

#include <cstdio>

int main(int argc, char **argv)
{
    using namespace menugeral;
    if (argc != 3) {
        std::fputs("usage: menugeral-pixels <picture.png> <output>\n", stderr);
        return 2;
    }
    // The program's own reader for the PNGs, so both give the same pixels.
    QImageReader reader(QFile::decodeName(argv[1]), "png");
    reader.setAutoDetectImageFormat(false);
    const QImage decoded = reader.read();
    if (decoded.isNull()) {
        std::fprintf(stderr, "menugeral-pixels: %s: %s\n", argv[1], qPrintable(reader.errorString()));
        return 1;
    }
    const QImage picture = decoded.convertToFormat(paintingFormat(decoded));
    const ReadyPixelsHeader header{kReadyPixelsMagic, std::uint32_t(picture.width()), std::uint32_t(picture.height()),
                                   std::uint32_t(picture.bytesPerLine()), std::uint32_t(picture.format())};
    QFile output(QFile::decodeName(argv[2]));
    const bool written =
        output.open(QIODevice::WriteOnly) &&
        output.write(reinterpret_cast<const char *>(&header), sizeof header) == qint64(sizeof header) &&
        output.write(reinterpret_cast<const char *>(picture.constBits()), picture.sizeInBytes()) ==
            picture.sizeInBytes();
    if (!written) {
        std::fprintf(stderr, "menugeral-pixels: %s: %s\n", argv[2], qPrintable(output.errorString()));
        return 1;
    }
    return 0;
}
