#include "Background.h"

#include "Noise.h"

#include <QColor>

#include <algorithm>
#include <array>
#include <cmath>

namespace menugeral::artwork {

namespace {

constexpr int width = 780;
constexpr int height = 569;
constexpr QRgb keyColour = 0xFF00FFFF;
constexpr std::uint32_t cloudSeed = 7U;

struct Rgb
{
    double r, g, b;
};

Rgb rgb(QRgb c)
{
    return {double(qRed(c)), double(qGreen(c)), double(qBlue(c))};
}

Rgb mixed(const Rgb &a, const Rgb &b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

double smoothStep(double edge0, double edge1, double x)
{
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

QRgb packed(const Rgb &c)
{
    const auto channel = [](double v) {
        return std::clamp(int(std::lround(v)), 0, 255);
    };
    return qRgb(channel(c.r), channel(c.g), channel(c.b));
}

// The colour under the clouds at height y (logical pixels).
Rgb groundColour(double y)
{
    const Rgb skyTop = rgb(0xFF2A76C6);
    const Rgb skyLow = rgb(0xFF8DC3EA);
    const Rgb greyTop = rgb(0xFFF3F4F6);
    const Rgb greyBottom = rgb(0xFFC9CCD1);
    const Rgb sky = mixed(skyTop, skyLow, smoothStep(0.0, 125.0, y));
    const Rgb grey = mixed(greyTop, greyBottom, std::clamp((y - 130.0) / (height - 130.0), 0.0, 1.0));
    return mixed(sky, grey, smoothStep(100.0, 160.0, y));
}

// Patches of clear sky behind the white wordmark and emblem, so that they
// stand out: 1 in the middle of a patch, 0 outside it.
double clearing(double x, double y)
{
    const struct
    {
        double x, y, rx, ry;
    } patches[] = {{155.0, 40.0, 185.0, 46.0}, {716.0, 42.0, 70.0, 48.0}};
    double clear = 0.0;
    for (const auto &patch : patches) {
        const double d = std::hypot((x - patch.x) / patch.rx, (y - patch.y) / patch.ry);
        clear = std::max(clear, 1.0 - smoothStep(0.7, 1.3, d));
    }
    return clear;
}

// How much cloud covers a point, in [0, 1]: soft-edged patches, stretched
// sideways, thinning out towards the lower end of the sky.
double cloudCover(const Noise &noise, double x, double y)
{
    const double density = noise.fractal(x / 120.0, y / 42.0, 5);
    const double band = 1.0 - smoothStep(60.0, 128.0, y);
    return smoothStep(0.44, 0.70, density) * band * (1.0 - 0.85 * clearing(x, y));
}

// Outermost line light, the two inside it darker.
constexpr std::array<QRgb, 3> kFrameLines = {0xFFE5E6E8, 0xFFCCCED1, 0xFFCCCED1};

void drawFrame(QImage &image, int scale)
{
    const auto &lines = kFrameLines;
    for (int ring = 0; ring < int(lines.size()) * scale; ++ring) {
        const QRgb colour = lines[std::size_t(ring / scale)];
        const int right = image.width() - 1 - ring;
        const int bottom = image.height() - 1 - ring;
        for (int x = ring; x <= right; ++x) {
            image.setPixel(x, ring, colour);
            image.setPixel(x, bottom, colour);
        }
        for (int y = ring; y <= bottom; ++y) {
            image.setPixel(ring, y, colour);
            image.setPixel(right, y, colour);
        }
    }
}

} // namespace

QList<QRgb> backgroundFrameColours()
{
    return {kFrameLines[0], kFrameLines[1]};
}

QImage drawBackground(int scale)
{
    QImage image(width * scale, height * scale, QImage::Format_RGB32);
    const Noise noise(cloudSeed);
    const Rgb cloudLight = rgb(0xFFFFFFFF);
    const Rgb cloudShade = rgb(0xFFDDE7F1);
    for (int py = 0; py < image.height(); ++py) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(py));
        const double y = (py + 0.5) / scale;
        const Rgb ground = groundColour(y);
        for (int px = 0; px < image.width(); ++px) {
            const double x = (px + 0.5) / scale;
            const double cover = cloudCover(noise, x, y);
            Rgb colour = ground;
            if (cover > 0.0) {
                // Thick parts of a cloud are bright, its thin rims take a shade of the sky.
                const Rgb cloud = mixed(cloudShade, cloudLight, smoothStep(0.2, 0.9, cover));
                colour = mixed(ground, cloud, 0.88 * cover);
            }
            QRgb pixel = packed(colour);
            if (pixel == keyColour) // would be cut out of the window
                pixel = qRgb(0, 0xFE, 0xFF);
            line[px] = pixel;
        }
    }
    drawFrame(image, scale);
    return image;
}

} // namespace menugeral::artwork
