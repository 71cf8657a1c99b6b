#pragma once

#include <QRgb>
#include <QSize>
#include <QStringView>

#include <cstddef>
#include <span>

namespace menugeral::artwork {

enum class Pictogram
{
    BarChart3dWithPie,
    TreesInCircle,
    Factory,
    Worker,
    PersonAtCounterWithBoxes,
    ShoppingCart,
    DollarSign,
    Safe,
    PersonAtCheckoutWithBasket,
    OutlinedBarChart,
    FreeTag,
    GroupOfPeople,
    PersonWithHeadset,
    TwoPeople,
    DocumentWithTick,
    Calculator,
    PieChart,
    CalculatorWithCoins,
};

// One module tile: the file is named after the main window's button of its
// catalogue row.
struct ModuleTile
{
    std::size_t module; // catalogue row (ModuleRow)
    QSize size;
    QRgb colour;
    Pictogram pictogram;
    QStringView caption; // "\n" breaks the line
};

std::span<const ModuleTile> moduleTiles();

} // namespace menugeral::artwork
