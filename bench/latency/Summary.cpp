#include "latency/Summary.h"

#include <algorithm>

namespace menugeral::bench {
using namespace Qt::StringLiterals;

Spread spreadOf(std::vector<double> values)
{
    if (values.empty())
        return {};
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    const double median = values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    return {median, values.front(), values.back()};
}

QString spreadColumns(const std::vector<double> &values)
{
    if (values.empty())
        return QString(3 * 8, u' ');
    const Spread spread = spreadOf(values);
    return u"%1%2%3"_s.arg(spread.median, 8, 'f', 2).arg(spread.min, 8, 'f', 2).arg(spread.max, 8, 'f', 2);
}

} // namespace menugeral::bench
