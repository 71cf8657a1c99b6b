#include "QtPrinters.h"
#include "SettingsTestSupport.h"
#include "WaylandLimits.h"
#include "widgets/EtchedLine.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace menugeral;
using namespace menugeral::test;
using namespace Qt::StringLiterals;

namespace {

// The rows as the window's designers laid them out, in screen order, written
// out independently of the code that builds them.
struct Row
{
    const char16_t *label;
    int labelTop;
    const char16_t *text;
    const char16_t *edit;
    int editTop;
    int editTab;
    const char16_t *button;
    int buttonTop;
    int buttonTab;
    const char *handler;
};

// clang-format off
const Row kRows[] = {
    {u"Label1",  18,  u"Gerencial",              u"edtModGerencial",   14,  2,  u"BitBtn1",  14,  10, "BitBtn1Click"},
    {u"Label2",  40,  u"Vendas e Servi\u00e7os", u"edtModVendServ",    36,  3,  u"BitBtn2",  36,  11, "BitBtn2Click"},
    {u"Label3",  63,  u"Caixa",                  u"edtModCaixa",       59,  4,  u"BitBtn3",  59,  12, "BitBtn3Click"},
    {u"Label4",  86,  u"Pdv",                    u"edtModPdv",         82,  5,  u"BitBtn4",  82,  13, "BitBtn4Click"},
    {u"Label5",  110, u"Cooper",                 u"edtModCooper",      106, 6,  u"BitBtn5",  106, 14, "BitBtn5Click"},
    {u"Label6",  134, u"Ondaro",                 u"edtModOndaro",      129, 7,  u"BitBtn6",  129, 15, "BitBtn6Click"},
    {u"Label7",  158, u"Industrial",             u"edtModIndustrial",  153, 8,  u"BitBtn7",  153, 16, "BitBtn7Click"},
    {u"Label8",  182, u"Crm",                    u"edtModRelac",       177, 9,  u"BitBtn8",  177, 17, "BitBtn8Click"},
    {u"Label19", 206, u"Light",                  u"edtModLight",       201, 30, u"BitBtn15", 201, 32, "BitBtn15Click"},
    {u"Label20", 229, u"Free",                   u"edtModFree",        224, 31, u"BitBtn16", 224, 33, "BitBtn16Click"},
    {u"Label21", 252, u"Finance",                u"edtModFinance",     247, 34, u"BitBtn17", 247, 36, "BitBtn17Click"},
    {u"Label22", 276, u"Help Desk",              u"edtModHelpDesk",    271, 35, u"BitBtn18", 272, 37, "BitBtn18Click"},
    {u"Label16", 299, u"Conferencia",            u"edtModConferencia", 294, 38, u"BitBtn19", 296, 39, "BitBtn19Click"},
    {u"Label9",  331, u"Contabilidade",          u"edtModContab",      326, 18, u"BitBtn9",  326, 24, "BitBtn9Click"},
    {u"Label10", 354, u"Escrita Fiscal",         u"edtModEscFisc",     349, 19, u"BitBtn10", 349, 25, "BitBtn10Click"},
    {u"Label11", 377, u"Folha de Pgto.",         u"edtModFPgto",       372, 20, u"BitBtn11", 372, 26, "BitBtn11Click"},
    {u"Label12", 401, u"Lucro",                  u"edtModLucro",       396, 21, u"BitBtn12", 396, 27, "BitBtn12Click"},
    {u"Label13", 424, u"Controller",             u"edtModController",  419, 22, u"BitBtn13", 419, 28, "BitBtn13Click"},
    {u"Label14", 447, u"Cia",                    u"edtModCia",         442, 23, u"BitBtn14", 442, 29, "BitBtn14Click"},
};
// clang-format on

QString str(const char16_t *text)
{
    return QString::fromUtf16(text);
}

void expectFont(const QWidget &widget, bool bold)
{
    EXPECT_EQ(widget.font().family(), u"MS Sans Serif"_s);
    EXPECT_EQ(widget.font().pixelSize(), 11);
    EXPECT_EQ(widget.font().bold(), bold);
}

using SettingsLayoutTest = SettingsWindowTest;

TEST_F(SettingsLayoutTest, WindowHeadingsAndFootButtonsAreAsLaidOut)
{
    auto window = openWindow();
    EXPECT_EQ(window->windowTitle(), u"Configura\u00e7\u00f5es"_s);
    EXPECT_EQ(window->minimumSize(), QSize(672, 493));
    EXPECT_EQ(window->maximumSize(), QSize(672, 493));
    EXPECT_TRUE(window->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(window->palette().color(QPalette::Window), QApplication::palette().color(QPalette::Button));
    expectFont(*window, false);

    const std::pair<const char16_t *, QPoint> headings[] = {{u"Label15", {4, 0}}, {u"Label17", {3, 312}}};
    const QString headingTexts[] = {u"Gest\u00e3o Empresarial"_s, u"Gest\u00e3o Cont\u00e1bil"_s};
    for (std::size_t i = 0; i < 2; ++i) {
        auto *heading = childNamed<QLabel>(*window, str(headings[i].first));
        ASSERT_NE(heading, nullptr);
        expectSizedLabel(*heading, headings[i].second, 13, headingTexts[i]);
        expectFont(*heading, true);
        EXPECT_EQ(heading->palette().color(QPalette::WindowText), QColor(0x00, 0x00, 0x80));
    }
    EXPECT_EQ(childNamed<EtchedLine>(*window, u"Bevel1"_s)->geometry(), QRect(121, 8, 546, 5));
    EXPECT_EQ(childNamed<EtchedLine>(*window, u"Bevel2"_s)->geometry(), QRect(100, 320, 567, 5));

    auto *save = childNamed<QPushButton>(*window, u"bitSalvar"_s);
    EXPECT_EQ(save->geometry(), QRect(431, 467, 109, 25));
    EXPECT_EQ(save->text(), u"&Salvar"_s);
    EXPECT_EQ(save->toolTip(), u"Salvar as informa\u00e7\u00f5es configuradas/alteradas"_s);
    EXPECT_TRUE(save->isDefault());
    EXPECT_FALSE(save->icon().isNull());
    auto *cancel = childNamed<QPushButton>(*window, u"bitCancelar"_s);
    EXPECT_EQ(cancel->geometry(), QRect(559, 467, 109, 25));
    EXPECT_EQ(cancel->text(), u"&Cancelar"_s);
    EXPECT_EQ(cancel->toolTip(), u"Cancelar s informa\u00e7\u00f5es configuradas/alteradas"_s);
    EXPECT_FALSE(cancel->isDefault());
    EXPECT_FALSE(cancel->icon().isNull());
}

TEST_F(SettingsLayoutTest, EveryRowIsAsLaidOut)
{
    auto window = openWindow();
    for (const Row &row : kRows) {
        SCOPED_TRACE(str(row.edit).toStdString());
        auto *label = childNamed<QLabel>(*window, str(row.label));
        auto *edit = childNamed<QLineEdit>(*window, str(row.edit));
        auto *button = childNamed<QPushButton>(*window, str(row.button));
        ASSERT_TRUE(label && edit && button);

        expectSizedLabel(*label, {4, row.labelTop}, 13, str(row.text));
        expectFont(*label, false);
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::black));
        EXPECT_TRUE(label->toolTip().isEmpty());

        EXPECT_EQ(edit->geometry(), QRect(98, row.editTop, 540, 21));
        expectFont(*edit, false);
        EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(Qt::black));
        EXPECT_TRUE(edit->toolTip().isEmpty());
        EXPECT_EQ(edit->maxLength(), QLineEdit().maxLength()) << "no length limit of its own";

        EXPECT_EQ(button->geometry(), QRect(645, row.buttonTop, 23, 21));
        EXPECT_TRUE(button->text().isEmpty());
        EXPECT_EQ(button->toolTip(), u"Configura o caminho para o m\u00f3dulo "_s + str(row.text));
        EXPECT_EQ(button->iconSize(), QSize(16, 16));
        EXPECT_FALSE(button->icon().isNull());
        EXPECT_FALSE(button->isDefault());
    }
}

TEST_F(SettingsLayoutTest, OpensOnSalvarAndTabsThroughTheSecondGroupBeforeTheLowerFirstGroupRows)
{
    std::map<int, QString> byTab{{0, u"bitSalvar"_s}, {1, u"bitCancelar"_s}};
    for (const Row &row : kRows) {
        byTab.emplace(row.editTab, str(row.edit));
        byTab.emplace(row.buttonTab, str(row.button));
    }
    ASSERT_EQ(byTab.size(), 40u) << "tab indices are unique";
    QStringList expected;
    for (const auto &[tab, name] : byTab)
        expected.append(name);
    expected.append(u"bitSalvar"_s); // and round again

    auto window = openWindow();
    ASSERT_TRUE(menugeral::test::waitUntilActive(window.get()));
    EXPECT_EQ(tabWalk(*window, 41), expected);
}

TEST_F(SettingsLayoutTest, EachBrowseButtonAndHandlerFillsOnlyItsOwnRow)
{
    auto window = openWindow();
    for (const Row &row : kRows) {
        SCOPED_TRACE(row.handler);
        for (QLineEdit *edit : window->findChildren<QLineEdit *>())
            edit->clear();
        const QString byClick = u"/programas/clique/"_s + str(row.button);
        const QString byName = u"/programas/nome/"_s + str(row.button);
        fakes.fileChooser.answers = {byClick, byName};

        QTest::mouseClick(childNamed<QPushButton>(*window, str(row.button)), Qt::LeftButton);
        EXPECT_EQ(edit(*window, str(row.edit))->text(), byClick);
        ASSERT_TRUE(QMetaObject::invokeMethod(window.get(), row.handler));
        EXPECT_EQ(edit(*window, str(row.edit))->text(), byName);

        const QList<QLineEdit *> edits = window->findChildren<QLineEdit *>();
        EXPECT_EQ(std::count_if(edits.begin(), edits.end(), [](QLineEdit *e) { return !e->text().isEmpty(); }), 1);
    }
}

} // namespace
