#include "TileTable.h"

#include "core/ModuleCatalogue.h"

#include <array>

namespace menugeral::artwork {

namespace {

constexpr QSize wide(157, 76);

constexpr std::array<ModuleTile, 18> tiles = {{
    {ModuleRow::Gerencial, wide, 0xFF32A5C6, Pictogram::BarChart3dWithPie, u"Gerencial"},
    {ModuleRow::Cooper, wide, 0xFF288A4C, Pictogram::TreesInCircle, u"Cooper"},
    {ModuleRow::Industrial, wide, 0xFFBA334D, Pictogram::Factory, u"Industrial"},
    {ModuleRow::Ondaro, QSize(76, 76), 0xFFC98433, Pictogram::Worker, u"Ondaro"},
    {ModuleRow::Conferencia, QSize(76, 75), 0xFFE7B52C, Pictogram::PersonAtCounterWithBoxes, u"Confer\u00eancia"},
    {ModuleRow::VendServ, QSize(76, 76), 0xFFB23042, Pictogram::ShoppingCart, u"Vendas e\nServi\u00e7os"},
    {ModuleRow::Finance, QSize(77, 76), 0xFFE7B52C, Pictogram::DollarSign, u"Finance"},
    {ModuleRow::Caixa, QSize(76, 76), 0xFF5EA646, Pictogram::Safe, u"Caixa"},
    {ModuleRow::Pdv, QSize(76, 76), 0xFF50A6AC, Pictogram::PersonAtCheckoutWithBasket, u"PDV"},
    {ModuleRow::Light, QSize(76, 76), 0xFF8F9599, Pictogram::OutlinedBarChart, u"Light"},
    {ModuleRow::Free, QSize(77, 76), 0xFF21497A, Pictogram::FreeTag, u"Free"},
    {ModuleRow::Relac, QSize(76, 75), 0xFF724288, Pictogram::GroupOfPeople, u"CRM"},
    {ModuleRow::HelpDesk, QSize(76, 75), 0xFF44484B, Pictogram::PersonWithHeadset, u"Help Desk"},
    {ModuleRow::FolhaPgto, wide, 0xFF32A4BD, Pictogram::TwoPeople, u"RH"},
    {ModuleRow::EscFiscal, wide, 0xFF288A4C, Pictogram::DocumentWithTick, u"Fiscal"},
    {ModuleRow::Contabil, wide, 0xFF21497A, Pictogram::Calculator, u"Contabilidade"},
    {ModuleRow::Lucro, QSize(76, 76), 0xFFBA334D, Pictogram::PieChart, u"Lucro\nPresumido"},
    {ModuleRow::Controller, QSize(77, 77), 0xFFE7B52C, Pictogram::CalculatorWithCoins, u"Controller"},
}};

} // namespace

std::span<const ModuleTile> moduleTiles()
{
    return tiles;
}

} // namespace menugeral::artwork
