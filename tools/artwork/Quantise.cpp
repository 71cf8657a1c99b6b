#include "Quantise.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <limits>
#include <map>
#include <vector>

namespace menugeral::artwork {

namespace {

constexpr int kPaletteSize = 256;

struct Weighted
{
    QRgb colour;
    qint64 count;
};

using Box = std::vector<Weighted>;

int channel(QRgb colour, int which)
{
    return which == 0 ? qRed(colour) : which == 1 ? qGreen(colour) : qBlue(colour);
}

// The channel with the widest spread of a box, and that spread.
std::pair<int, int> widestChannel(const Box &box)
{
    std::array<int, 3> low{255, 255, 255};
    std::array<int, 3> high{0, 0, 0};
    for (const Weighted &entry : box) {
        for (int c = 0; c < 3; ++c) {
            low[std::size_t(c)] = std::min(low[std::size_t(c)], channel(entry.colour, c));
            high[std::size_t(c)] = std::max(high[std::size_t(c)], channel(entry.colour, c));
        }
    }
    int best = 0;
    for (int c = 1; c < 3; ++c) {
        if (high[std::size_t(c)] - low[std::size_t(c)] > high[std::size_t(best)] - low[std::size_t(best)])
            best = c;
    }
    return {best, high[std::size_t(best)] - low[std::size_t(best)]};
}

QRgb average(const Box &box)
{
    qint64 red = 0, green = 0, blue = 0, total = 0;
    for (const Weighted &entry : box) {
        red += qRed(entry.colour) * entry.count;
        green += qGreen(entry.colour) * entry.count;
        blue += qBlue(entry.colour) * entry.count;
        total += entry.count;
    }
    return qRgb(int((red + total / 2) / total), int((green + total / 2) / total), int((blue + total / 2) / total));
}

// Median cut: the box with the widest spread, weighted by its pixels, is cut
// at its weighted median until there are `count` boxes.
std::vector<QRgb> medianCut(Box colours, int count)
{
    std::vector<Box> boxes;
    boxes.push_back(std::move(colours));
    while (int(boxes.size()) < count) {
        std::size_t chosen = boxes.size();
        qint64 chosenScore = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].size() < 2)
                continue;
            qint64 pixels = 0;
            for (const Weighted &entry : boxes[i])
                pixels += entry.count;
            const qint64 score = qint64(widestChannel(boxes[i]).second) * pixels;
            if (score > chosenScore) {
                chosen = i;
                chosenScore = score;
            }
        }
        if (chosen == boxes.size())
            break; // every box holds a single colour
        Box &box = boxes[chosen];
        const int c = widestChannel(box).first;
        std::stable_sort(box.begin(), box.end(), [c](const Weighted &a, const Weighted &b) {
            return channel(a.colour, c) < channel(b.colour, c);
        });
        qint64 total = 0;
        for (const Weighted &entry : box)
            total += entry.count;
        qint64 running = 0;
        std::size_t cut = 1;
        for (; cut < box.size(); ++cut) {
            running += box[cut - 1].count;
            if (2 * running >= total)
                break;
        }
        cut = std::clamp<std::size_t>(cut, 1, box.size() - 1);
        Box upper(box.begin() + std::ptrdiff_t(cut), box.end());
        box.resize(cut);
        boxes.push_back(std::move(upper));
    }
    std::vector<QRgb> palette;
    for (const Box &box : boxes)
        palette.push_back(average(box));
    return palette;
}

int nearest(const QList<QRgb> &palette, int red, int green, int blue)
{
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < int(palette.size()); ++i) {
        const int dr = qRed(palette[i]) - red;
        const int dg = qGreen(palette[i]) - green;
        const int db = qBlue(palette[i]) - blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace

std::optional<QImage> exactlyIndexed(const QImage &picture)
{
    const bool translucent = picture.hasAlphaChannel();
    const QImage source = picture.convertToFormat(translucent ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    // Every fully transparent pixel is the same entry, whatever colour it holds.
    const auto key = [translucent](QRgb pixel) {
        if (!translucent)
            return pixel | 0xFF000000u;
        return qAlpha(pixel) == 0 ? QRgb(0) : pixel;
    };
    // Colours in order of value, so the file does not depend on hash order.
    std::map<QRgb, int> indexOf;
    for (int y = 0; y < source.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            indexOf.emplace(key(line[x]), 0);
            if (int(indexOf.size()) > kPaletteSize)
                return std::nullopt;
        }
    }
    QList<QRgb> table;
    for (auto &[colour, index] : indexOf) {
        index = int(table.size());
        table << colour;
    }
    QImage indexed(source.size(), QImage::Format_Indexed8);
    indexed.setColorTable(table);
    for (int y = 0; y < source.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        uchar *out = indexed.scanLine(y);
        for (int x = 0; x < source.width(); ++x)
            out[x] = uchar(indexOf.at(key(line[x])));
    }
    return indexed;
}

QImage quantised(const QImage &opaque, const QList<QRgb> &keep)
{
    const QImage source = opaque.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, qint64> histogram;
    for (int y = 0; y < source.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x)
            ++histogram[line[x] | 0xFF000000u];
    }
    Box colours;
    for (auto it = histogram.cbegin(); it != histogram.cend(); ++it) {
        if (!keep.contains(it.key()))
            colours.push_back({it.key(), it.value()});
    }
    std::sort(colours.begin(), colours.end(), [](const Weighted &a, const Weighted &b) { return a.colour < b.colour; });

    QList<QRgb> palette;
    for (const QRgb kept : keep)
        palette << (kept | 0xFF000000u);
    if (!colours.empty()) {
        for (const QRgb colour : medianCut(std::move(colours), kPaletteSize - int(palette.size())))
            palette << (colour | 0xFF000000u);
    }

    // Floyd-Steinberg, error carried in a row below of its own.
    const int width = source.width();
    std::vector<std::array<int, 3>> error(std::size_t(width + 2)), below(std::size_t(width + 2));
    QImage indexed(source.size(), QImage::Format_Indexed8);
    indexed.setColorTable(palette);
    for (int y = 0; y < source.height(); ++y) {
        std::fill(below.begin(), below.end(), std::array<int, 3>{0, 0, 0});
        const auto *line = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        uchar *out = indexed.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = line[x] | 0xFF000000u;
            if (const qsizetype kept = keep.indexOf(pixel); kept >= 0) {
                out[x] = uchar(kept);
                continue;
            }
            const auto &carried = error[std::size_t(x + 1)];
            const int red = std::clamp(qRed(pixel) + carried[0] / 16, 0, 255);
            const int green = std::clamp(qGreen(pixel) + carried[1] / 16, 0, 255);
            const int blue = std::clamp(qBlue(pixel) + carried[2] / 16, 0, 255);
            const int index = nearest(palette, red, green, blue);
            out[x] = uchar(index);
            const std::array<int, 3> residue{red - qRed(palette[index]), green - qGreen(palette[index]),
                                             blue - qBlue(palette[index])};
            for (std::size_t c = 0; c < 3; ++c) {
                error[std::size_t(x + 2)][c] += residue[c] * 7;
                below[std::size_t(x)][c] += residue[c] * 3;
                below[std::size_t(x + 1)][c] += residue[c] * 5;
                below[std::size_t(x + 2)][c] += residue[c] * 1;
            }
        }
        error.swap(below);
    }
    return indexed;
}

} // namespace menugeral::artwork
