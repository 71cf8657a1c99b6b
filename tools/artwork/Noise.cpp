#include "Noise.h"

#include <cmath>

namespace menugeral::artwork {

namespace {

std::uint32_t mix(std::uint32_t h)
{
    h ^= h >> 16;
    h *= 0x7feb352dU;
    h ^= h >> 15;
    h *= 0x846ca68bU;
    h ^= h >> 16;
    return h;
}

double smooth(double t)
{
    return t * t * (3.0 - 2.0 * t);
}

} // namespace

double Noise::lattice(std::int32_t x, std::int32_t y) const
{
    const std::uint32_t h =
        mix(static_cast<std::uint32_t>(x) * 0x9E3779B1U ^ mix(static_cast<std::uint32_t>(y) + m_seed));
    return static_cast<double>(h >> 8) / static_cast<double>(1U << 24);
}

double Noise::at(double x, double y) const
{
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const auto ix = static_cast<std::int32_t>(fx);
    const auto iy = static_cast<std::int32_t>(fy);
    const double tx = smooth(x - fx);
    const double ty = smooth(y - fy);
    const double top = lattice(ix, iy) + (lattice(ix + 1, iy) - lattice(ix, iy)) * tx;
    const double bottom = lattice(ix, iy + 1) + (lattice(ix + 1, iy + 1) - lattice(ix, iy + 1)) * tx;
    return top + (bottom - top) * ty;
}

double Noise::fractal(double x, double y, int octaves) const
{
    double sum = 0.0;
    double weight = 0.5;
    double total = 0.0;
    for (int octave = 0; octave < octaves; ++octave) {
        // Shift each octave so that the lattices do not line up.
        sum += weight * at(x + 17.31 * octave, y - 9.87 * octave);
        total += weight;
        x *= 2.0;
        y *= 2.0;
        weight *= 0.5;
    }
    return sum / total;
}

} // namespace menugeral::artwork
