#pragma once

#include <cstdint>

namespace menugeral::artwork {

// Smooth value noise from an integer hash with a fixed seed: the same point
// always gives the same value, on every run and every machine.
class Noise
{
public:
    explicit Noise(std::uint32_t seed) : m_seed(seed) {}

    // In [0, 1); features about one unit wide.
    double at(double x, double y) const;

    // Several octaves summed, each twice as fine and half as strong; in [0, 1).
    double fractal(double x, double y, int octaves) const;

private:
    double lattice(std::int32_t x, std::int32_t y) const;

    std::uint32_t m_seed;
};

} // namespace menugeral::artwork
