#include "settings/IconImage.h"

#include <QImageReader>

namespace menugeral {
using namespace Qt::StringLiterals;
namespace {

// The ICO reader converts every image to 32 bits but keeps the depth stored in the file.
int storedDepth(const QImage &image)
{
    bool ok = false;
    const int depth = image.text(u"_q_icoOrigDepth"_s).toInt(&ok);
    return ok ? depth : image.depth();
}

} // namespace

QImage largestIconImageWithin(const QString &fileName, QSize box)
{
    QImageReader reader(fileName);
    QImage best;
    const int count = qMax(reader.imageCount(), 1);
    for (int i = 0; i < count; ++i) {
        if (count > 1 && !reader.jumpToImage(i))
            break;
        const QImage image = reader.read();
        if (image.isNull() || image.width() > box.width() || image.height() > box.height())
            continue;
        const auto area = [](const QImage &picture) {
            return picture.width() * picture.height();
        };
        if (best.isNull() || area(image) > area(best) ||
            (area(image) == area(best) && storedDepth(image) > storedDepth(best)))
            best = image;
    }
    return best;
}

} // namespace menugeral
