#include "TileTable.h"

#include <array>

namespace menugeral::artwork {

namespace {

constexpr QSize wide(157, 76);

constexpr std::array<ModuleTile, 18> tiles = {{
    {u"bitQorGerencial", wide, 0xFF32A5C6, Pictogram::BarChart3dWithPie, u"Gerencial"},
    {u"bitQorCooper", wide, 0xFF288A4C, Pictogram::TreesInCircle, u"Cooper"},
    {u"bitQorIndustria", wide, 0xFFBA334D, Pictogram::Factory, u"Industrial"},
    {u"bitQorOndaro", QSize(76, 76), 0xFFC98433, Pictogram::Worker, u"Ondaro"},
    {u"bitQorConferencia", QSize(76, 75), 0xFFE7B52C, Pictogram::PersonAtCounterWithBoxes, u"Confer\u00eancia"},
    {u"bitQorVendas", QSize(76, 76), 0xFFB23042, Pictogram::ShoppingCart, u"Vendas e\nServi\u00e7os"},
    {u"bitQorFinance", QSize(77, 76), 0xFFE7B52C, Pictogram::DollarSign, u"Finance"},
    {u"bitQorCaixa", QSize(76, 76), 0xFF5EA646, Pictogram::Safe, u"Caixa"},
    {u"bitQorPDV", QSize(76, 76), 0xFF50A6AC, Pictogram::PersonAtCheckoutWithBasket, u"PDV"},
    {u"bitQorNFeLight", QSize(76, 76), 0xFF8F9599, Pictogram::OutlinedBarChart, u"Light"},
    {u"bitQorNFeFree", QSize(77, 76), 0xFF21497A, Pictogram::FreeTag, u"Free"},
    {u"bitQorCRM", QSize(76, 75), 0xFF724288, Pictogram::GroupOfPeople, u"CRM"},
    {u"bitQOrHelpDesk", QSize(76, 75), 0xFF44484B, Pictogram::PersonWithHeadset, u"Help Desk"},
    {u"bitRh", wide, 0xFF32A4BD, Pictogram::TwoPeople, u"RH"},
    {u"bitFiscal", wide, 0xFF288A4C, Pictogram::DocumentWithTick, u"Fiscal"},
    {u"bitContabilidade", wide, 0xFF21497A, Pictogram::Calculator, u"Contabilidade"},
    {u"bitLucroPresumido", QSize(76, 76), 0xFFBA334D, Pictogram::PieChart, u"Lucro\nPresumido"},
    {u"bitControler", QSize(77, 77), 0xFFE7B52C, Pictogram::CalculatorWithCoins, u"Controller"},
}};

} // namespace

std::span<const ModuleTile> moduleTiles()
{
    return tiles;
}

} // namespace menugeral::artwork
