#pragma once

#include <QString>

#include <vector>

namespace menugeral::bench {

// One measurement taken many times: its median, fastest and slowest.
struct Spread
{
    double median = 0;
    double min = 0;
    double max = 0;
};

Spread spreadOf(std::vector<double> values);

// "  3.21   2.90   4.75" in milliseconds, or blanks when there are no values.
QString spreadColumns(const std::vector<double> &values);

} // namespace menugeral::bench
