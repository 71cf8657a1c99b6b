// The embedded artwork: sizes, colours and transparency that the windows rely on.

#include "QtPrinters.h"
#include "menu/MenuArtwork.h"
#include "menu/MenuCaptions.h"

#include <QColor>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QSize>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <map>
#include <tuple>

namespace {

using namespace Qt::StringLiterals;

struct Tile
{
    const char16_t *button;
    QSize size;
    QRgb colour;
};

const std::array<Tile, 18> tiles = {{
    {u"bitQorGerencial", {157, 76}, 0x32A5C6},
    {u"bitQorCooper", {157, 76}, 0x288A4C},
    {u"bitQorIndustria", {157, 76}, 0xBA334D},
    {u"bitQorOndaro", {76, 76}, 0xC98433},
    {u"bitQorConferencia", {76, 75}, 0xE7B52C},
    {u"bitQorVendas", {76, 76}, 0xB23042},
    {u"bitQorFinance", {77, 76}, 0xE7B52C},
    {u"bitQorCaixa", {76, 76}, 0x5EA646},
    {u"bitQorPDV", {76, 76}, 0x50A6AC},
    {u"bitQorNFeLight", {76, 76}, 0x8F9599},
    {u"bitQorNFeFree", {77, 76}, 0x21497A},
    {u"bitQorCRM", {76, 75}, 0x724288},
    {u"bitQOrHelpDesk", {76, 75}, 0x44484B},
    {u"bitRh", {157, 76}, 0x32A4BD},
    {u"bitFiscal", {157, 76}, 0x288A4C},
    {u"bitContabilidade", {157, 76}, 0x21497A},
    {u"bitLucroPresumido", {76, 76}, 0xBA334D},
    {u"bitControler", {77, 77}, 0xE7B52C},
}};

void PrintTo(const Tile &tile, std::ostream *out)
{
    *out << QString::fromUtf16(tile.button).toStdString();
}

QString tileName(const Tile &tile)
{
    return u"tiles/"_s + QString::fromUtf16(tile.button) + u".png"_s;
}

// Every picture of the main window, by name under ":/menu/", at its own density.
QList<std::pair<QString, QSize>> menuPictures()
{
    QList<std::pair<QString, QSize>> pictures = {
        {u"background.png"_s, {780, 569}},    {u"wordmark.png"_s, {259, 47}},     {u"emblem.png"_s, {79, 67}},
        {u"line-horizontal.png"_s, {462, 2}}, {u"line-vertical.png"_s, {2, 462}},
    };
    for (const Tile &tile : tiles)
        pictures.append({tileName(tile), tile.size});
    // The main window's captions, ready drawn at their labels' sizes.
    for (const menugeral::MenuCaption &caption : menugeral::kMenuCaptions)
        pictures.append({u"captions/"_s + caption.name + u".png"_s, caption.bounds.size()});
    return pictures;
}

QString doubled(const QString &name)
{
    return QString(name).insert(name.lastIndexOf(u'.'), u"@2x"_s);
}

QImage menuImage(const QString &name)
{
    return QImage(u":/menu/"_s + name).convertToFormat(QImage::Format_ARGB32);
}

QRgb opaque(QRgb rgb)
{
    return rgb | 0xFF000000u;
}

int count(const QImage &image, const std::function<bool(QRgb)> &matches)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += matches(image.pixel(x, y)) ? 1 : 0;
    return n;
}

QRgb mostFrequentColour(const QImage &image, const std::function<bool(QRgb)> &considered = {})
{
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (!considered || considered(pixel))
                ++counts[pixel];
        }
    }
    const auto best = std::max_element(counts.cbegin(), counts.cend(),
                                       [](const auto &a, const auto &b) { return a.second < b.second; });
    return best == counts.cend() ? 0 : best->first;
}

QColor meanColourOfRow(const QImage &image, int y)
{
    long long red = 0, green = 0, blue = 0;
    for (int x = 0; x < image.width(); ++x) {
        const QRgb pixel = image.pixel(x, y);
        red += qRed(pixel);
        green += qGreen(pixel);
        blue += qBlue(pixel);
    }
    const long long n = image.width();
    return QColor(int(red / n), int(green / n), int(blue / n));
}

TEST(Artwork, EveryPictureHasItsSizeAndTwiceItAtDoubleDensity)
{
    for (const auto &[name, size] : menuPictures()) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(menuImage(name).size(), size);
        EXPECT_EQ(menuImage(doubled(name)).size(), size * 2);
    }
}

// Mean difference per channel, premultiplied, between two pictures of one size.
double meanDifference(const QImage &a, const QImage &b)
{
    const QImage left = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage right = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    double sum = 0;
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            const QRgb l = left.pixel(x, y);
            const QRgb r = right.pixel(x, y);
            sum += std::abs(qRed(l) - qRed(r)) + std::abs(qGreen(l) - qGreen(r)) + std::abs(qBlue(l) - qBlue(r)) +
                   std::abs(qAlpha(l) - qAlpha(r));
        }
    }
    return sum / (4.0 * left.width() * left.height());
}

TEST(Artwork, DoubleDensityPicturesShowTheSameDrawing)
{
    for (const auto &[name, size] : menuPictures()) {
        // Text is hinted anew at each size, as a label would draw it.
        if (name.startsWith(u"captions/"))
            continue;
        SCOPED_TRACE(name.toStdString());
        const QImage single = menuImage(name);
        const QImage reduced = menuImage(doubled(name)).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        ASSERT_EQ(single.size(), reduced.size());
        EXPECT_LT(meanDifference(single, reduced), 8.0);
    }
}

TEST(Artwork, NoEmbeddedPictureIsLeftUnaccountedFor)
{
    // A misspelt file would leave its button without a picture.
    QSet<QString> expected = {u":/settings/glyph-ok.png"_s, u":/settings/glyph-cancel.png"_s,
                              u":/settings/glyph-save.png"_s, u":/settings/glyph-open.png"_s,
                              u":/settings/users.ico"_s};
    for (const auto &[name, size] : menuPictures())
        expected << u":/menu/"_s + name << u":/menu/"_s + doubled(name);
    QSet<QString> embedded;
    for (const QString &root : {u":/menu"_s, u":/settings"_s}) {
        QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            embedded << it.next();
    }
    const auto sorted = [](const QSet<QString> &names) {
        QStringList list(names.cbegin(), names.cend());
        list.sort();
        return list;
    };
    EXPECT_EQ(sorted(expected - embedded), QStringList()) << "missing";
    EXPECT_EQ(sorted(embedded - expected), QStringList()) << "not expected";
}

TEST(Artwork, BackgroundIsOpaqueFramedAndNeverTheKeyColour)
{
    for (const int scale : {1, 2}) {
        SCOPED_TRACE(scale);
        const QImage raw(scale == 1 ? u":/menu/background.png"_s : u":/menu/background@2x.png"_s);
        ASSERT_FALSE(raw.isNull());
        EXPECT_FALSE(raw.hasAlphaChannel());
        const QImage image = raw.convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(count(image, [](QRgb p) { return opaque(p) == 0xFF00FFFFu; }), 0);

        // One light line outside, two darker lines inside it, on all four sides.
        const int w = image.width();
        const int h = image.height();
        for (int ring = 0; ring < 3 * scale; ++ring) {
            SCOPED_TRACE(ring);
            const QRgb colour = ring < scale ? 0xFFE5E6E8u : 0xFFCCCED1u;
            EXPECT_EQ(image.pixel(w / 2, ring), colour);
            EXPECT_EQ(image.pixel(w / 2, h - 1 - ring), colour);
            EXPECT_EQ(image.pixel(ring, h / 2), colour);
            EXPECT_EQ(image.pixel(w - 1 - ring, h / 2), colour);
        }
        // Sky above, a grey below that darkens towards the bottom.
        const QColor sky = meanColourOfRow(image, 20 * scale);
        const QColor upperGrey = meanColourOfRow(image, 200 * scale);
        const QColor lowerGrey = meanColourOfRow(image, 550 * scale);
        EXPECT_GT(sky.blue(), sky.red() + 40);
        EXPECT_LT(std::abs(lowerGrey.red() - lowerGrey.blue()), 16);
        EXPECT_LT(lowerGrey.lightness(), upperGrey.lightness());
    }
}

TEST(Artwork, LogosAreWhiteOnTransparent)
{
    for (const QString &name : {u"wordmark.png"_s, u"emblem.png"_s}) {
        for (const QString &file : {name, doubled(name)}) {
            SCOPED_TRACE(file.toStdString());
            const QImage image = menuImage(file);
            ASSERT_FALSE(image.isNull());
            EXPECT_TRUE(QImage(u":/menu/"_s + file).hasAlphaChannel());
            EXPECT_EQ(qAlpha(image.pixel(0, image.height() - 1)), 0);
            EXPECT_GT(count(image, [](QRgb p) { return qAlpha(p) == 255; }), image.width() * image.height() / 20);
            // Whatever shows is white: its edges only fade out.
            EXPECT_EQ(
                count(image, [](QRgb p) { return qAlpha(p) > 32 && qMin(qRed(p), qMin(qGreen(p), qBlue(p))) < 245; }),
                0);
        }
    }
}

class SeparatorLine : public testing::TestWithParam<std::tuple<const char16_t *, bool>>
{};

TEST_P(SeparatorLine, FadesFromNearlyNothingAtTheEndsToNearlyOpaqueInTheMiddle)
{
    const auto [name, horizontal] = GetParam();
    const QImage raw(u":/menu/"_s + QString::fromUtf16(name));
    ASSERT_FALSE(raw.isNull());
    EXPECT_TRUE(raw.hasAlphaChannel());
    const QImage image = raw.convertToFormat(QImage::Format_ARGB32);
    const int length = horizontal ? image.width() : image.height();
    const int across = horizontal ? image.height() : image.width();
    const auto at = [&](int along, int side) {
        return horizontal ? image.pixel(along, side) : image.pixel(side, along);
    };
    for (int side = 0; side < across; ++side) {
        SCOPED_TRACE(side);
        EXPECT_LE(qAlpha(at(0, side)), 7);
        EXPECT_LE(qAlpha(at(length - 1, side)), 7);
        EXPECT_GE(qAlpha(at(length / 2, side)), 240);
        for (int along = 0; along < length; ++along) {
            ASSERT_EQ(opaque(at(along, side)), 0xFFE6E7E9u) << "at " << along;
            // Rising towards the middle, falling after it.
            if (along > 0 && along <= length / 2) {
                ASSERT_GE(qAlpha(at(along, side)), qAlpha(at(along - 1, side))) << "at " << along;
            } else if (along > length / 2) {
                ASSERT_LE(qAlpha(at(along, side)), qAlpha(at(along - 1, side))) << "at " << along;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Artwork, SeparatorLine,
                         testing::Values(std::tuple{u"line-horizontal.png", true},
                                         std::tuple{u"line-horizontal@2x.png", true},
                                         std::tuple{u"line-vertical.png", false},
                                         std::tuple{u"line-vertical@2x.png", false}));

class ModuleTile : public testing::TestWithParam<Tile>
{};

TEST_P(ModuleTile, IsItsColourWithALighterEdgeAndWhiteDrawing)
{
    const Tile &tile = GetParam();
    for (const QString &file : {tileName(tile), doubled(tileName(tile))}) {
        SCOPED_TRACE(file.toStdString());
        const QImage raw(u":/menu/"_s + file);
        ASSERT_FALSE(raw.isNull());
        EXPECT_FALSE(raw.hasAlphaChannel());
        const QImage image = raw.convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(QColor::fromRgb(mostFrequentColour(image)).name(), QColor::fromRgb(tile.colour).name());

        const QColor main = QColor::fromRgb(tile.colour);
        for (const QPoint edge : {QPoint(0, image.height() / 3), QPoint(image.width() - 1, image.height() / 3),
                                  QPoint(image.width() / 2, 0), QPoint(image.width() / 2, image.height() - 1)}) {
            const QColor colour = QColor::fromRgb(image.pixel(edge));
            EXPECT_GT(colour.lightness(), main.lightness()) << "edge at " << edge.x() << "," << edge.y();
            EXPECT_LT(colour.lightness(), main.lightness() + 60) << "edge at " << edge.x() << "," << edge.y();
        }
        // The pictogram and the caption.
        EXPECT_GT(count(image, [](QRgb p) { return opaque(p) == 0xFFFFFFFFu; }), image.width() * image.height() / 25);
    }
}

std::string tileTestName(const testing::TestParamInfo<Tile> &param)
{
    return QString::fromUtf16(param.param.button).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Artwork, ModuleTile, testing::ValuesIn(tiles), tileTestName);

TEST(Artwork, GlyphsAreOpaqueOnMagentaInTheirColours)
{
    const struct
    {
        QString file;
        const char *colour;
        std::function<bool(const QColor &)> isThatColour;
    } glyphs[] = {
        {u"glyph-ok.png"_s, "green",
         [](const QColor &c) {
             return c.green() > c.red() + 60 && c.green() > c.blue() + 60;
         }},
        {u"glyph-cancel.png"_s, "red",
         [](const QColor &c) {
             return c.red() > c.green() + 80 && c.red() > c.blue() + 80;
         }},
        {u"glyph-save.png"_s, "blue",
         [](const QColor &c) {
             return c.blue() > c.red() + 80 && c.blue() > c.green() + 40;
         }},
        {u"glyph-open.png"_s, "yellow",
         [](const QColor &c) {
             return c.red() > c.blue() + 80 && c.green() > c.blue() + 40;
         }},
    };
    for (const auto &glyph : glyphs) {
        SCOPED_TRACE(glyph.file.toStdString());
        const QImage raw(u":/settings/"_s + glyph.file);
        ASSERT_FALSE(raw.isNull());
        EXPECT_EQ(raw.size(), QSize(16, 16));
        EXPECT_FALSE(raw.hasAlphaChannel());
        const QImage image = raw.convertToFormat(QImage::Format_ARGB32);
        const auto isMagenta = [](QRgb p) {
            return opaque(p) == 0xFFFF00FFu;
        };
        EXPECT_GT(count(image, isMagenta), 16);
        const QColor main = QColor::fromRgb(mostFrequentColour(image, [&](QRgb p) { return !isMagenta(p); }));
        EXPECT_TRUE(glyph.isThatColour(main))
            << "expected " << glyph.colour << ", most of it is " << main.name().toStdString();
    }
}

quint32 littleEndian(const QByteArray &bytes, qsizetype at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | quint8(bytes.at(at + i));
    return value;
}

TEST(Artwork, UsersIconHoldsThreeSizesInThreeDepths)
{
    QFile file(u":/settings/users.ico"_s);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GE(bytes.size(), 6);
    EXPECT_EQ(littleEndian(bytes, 0, 2), 0u); // reserved
    EXPECT_EQ(littleEndian(bytes, 2, 2), 1u); // an icon, not a cursor
    const quint32 entries = littleEndian(bytes, 4, 2);
    ASSERT_EQ(entries, 9u);
    ASSERT_GE(bytes.size(), 6 + 16 * 9);

    QSet<std::pair<int, int>> sizesAndDepths;
    QList<QSize> sizesInOrder;
    for (quint32 i = 0; i < entries; ++i) {
        SCOPED_TRACE(i);
        const qsizetype entry = 6 + 16 * qsizetype(i);
        const int width = int(littleEndian(bytes, entry, 1));
        const int height = int(littleEndian(bytes, entry + 1, 1));
        const int colours = int(littleEndian(bytes, entry + 2, 1));
        const int depth = int(littleEndian(bytes, entry + 6, 2));
        const quint32 length = littleEndian(bytes, entry + 8, 4);
        const quint32 offset = littleEndian(bytes, entry + 12, 4);
        EXPECT_EQ(width, height);
        EXPECT_EQ(colours, depth == 4 ? 16 : 0);
        ASSERT_LE(qsizetype(offset) + qsizetype(length), bytes.size());
        // The bitmap itself says the same depth, and counts its mask in its height.
        EXPECT_EQ(littleEndian(bytes, offset + 4, 4), quint32(width));
        EXPECT_EQ(littleEndian(bytes, offset + 8, 4), quint32(2 * height));
        EXPECT_EQ(int(littleEndian(bytes, offset + 14, 2)), depth);
        sizesAndDepths << std::pair{width, depth};
        sizesInOrder << QSize(width, height);
    }
    const QSet<std::pair<int, int>> expected = {{48, 4},  {48, 8}, {48, 32}, {32, 4}, {32, 8},
                                                {32, 32}, {16, 4}, {16, 8},  {16, 32}};
    EXPECT_EQ(sizesAndDepths, expected);

    // Qt's reader must decode every picture, with its transparent surroundings.
    QImageReader reader(u":/settings/users.ico"_s);
    ASSERT_EQ(reader.imageCount(), 9);
    for (int i = 0; i < reader.imageCount(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(reader.jumpToImage(i));
        const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        EXPECT_EQ(image.size(), sizesInOrder.at(i));
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        EXPECT_GT(count(image, [](QRgb p) { return qAlpha(p) == 255; }), image.width() * image.height() / 4);
    }
}

} // namespace

namespace {

// The window's loader: the sharp drawing on a high-density screen, at the same
// size in the layout's pixels, in a form that paints without a palette and
// keeps the transparency of a picture that has it.
TEST(ArtworkLoading, PicksTheDrawingForTheScreensDensity)
{
    struct Case
    {
        qreal screenRatio;
        qreal pictureRatio;
    };
    for (const Case c : {Case{1.0, 1.0}, Case{1.25, 2.0}, Case{2.0, 2.0}}) {
        SCOPED_TRACE(c.screenRatio);
        const QImage emblem = menugeral::loadArtwork(u"menu/emblem.png"_s, c.screenRatio);
        EXPECT_EQ(emblem.devicePixelRatio(), c.pictureRatio);
        EXPECT_EQ(emblem.deviceIndependentSize().toSize(), QSize(79, 67));
        EXPECT_EQ(emblem.format(), QImage::Format_ARGB32_Premultiplied);
        const QImage background = menugeral::loadArtwork(u"menu/background.png"_s, c.screenRatio);
        EXPECT_EQ(background.deviceIndependentSize().toSize(), QSize(780, 569));
        EXPECT_EQ(background.format(), QImage::Format_RGB32);
    }
    EXPECT_TRUE(menugeral::loadArtwork(u"menu/no-such-picture.png"_s, 2.0).isNull());
}

} // namespace
