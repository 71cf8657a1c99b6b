#include "Fakes.h"
#include "TempDir.h"
#include "menu/UnitMenuGeralNovoFrm.h"
#include "widgets/BalloonHint.h"
#include "widgets/BalloonWindow.h"
#include "widgets/CaptionLabel.h"
#include "widgets/Fonts.h"
#include "widgets/PictureBox.h"
#include "widgets/PictureButton.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

using namespace menugeral;
using namespace menugeral::test;
using namespace Qt::StringLiterals;

namespace {

// The window's layout as the product's designers fixed it, written out
// independently of the code that builds it.
struct WidgetRow
{
    const char16_t *name;
    const char16_t *parent;
    QRect bounds;
    Qt::CursorShape cursor;
    const char16_t *hint;
};

const WidgetRow kRows[] = {
    {u"Image2", u"FrmMenuGeralNovo", {0, 0, 780, 569}, Qt::ArrowCursor, u""},
    {u"PNGPicture1", u"FrmMenuGeralNovo", {21, 7, 267, 67}, Qt::ArrowCursor, u""},
    {u"PNGPicture2", u"FrmMenuGeralNovo", {673, 8, 87, 67}, Qt::ArrowCursor, u""},
    {u"AdvSmoothPanel1", u"FrmMenuGeralNovo", {21, 82, 736, 24}, Qt::ArrowCursor, u""},
    {u"AdvSmoothPanel2", u"FrmMenuGeralNovo", {21, 109, 736, 435}, Qt::ArrowCursor, u""},
    {u"Label2", u"AdvSmoothPanel1", {0, 1, 736, 18}, Qt::ArrowCursor, u""},
    {u"lbMinimizar", u"AdvSmoothPanel1", {698, 2, 6, 22}, Qt::PointingHandCursor, u"Minimizar a Janela"},
    {u"lbSair", u"AdvSmoothPanel1", {704, 1, 28, 18}, Qt::PointingHandCursor, u"Fechar o Menu Geral"},
    {u"Image21", u"AdvSmoothPanel2", {16, 52, 342, 2}, Qt::ArrowCursor, u""},
    {u"Label1", u"AdvSmoothPanel2", {28, 25, 146, 22}, Qt::ArrowCursor, u""},
    {u"Label3", u"AdvSmoothPanel2", {388, 25, 119, 22}, Qt::ArrowCursor, u""},
    {u"Image3", u"AdvSmoothPanel2", {376, 52, 342, 2}, Qt::ArrowCursor, u""},
    {u"Image4", u"AdvSmoothPanel2", {367, 72, 2, 320}, Qt::ArrowCursor, u""},
    {u"bitQorGerencial",
     u"AdvSmoothPanel2",
     {28, 72, 161, 80},
     Qt::PointingHandCursor,
     u"Abre o Sistema QOR - Gerencial"},
    {u"bitQorCooper", u"AdvSmoothPanel2", {188, 72, 161, 80}, Qt::PointingHandCursor, u"Abre o Sistema QOR - Cooper"},
    {u"bitQorIndustria",
     u"AdvSmoothPanel2",
     {28, 151, 161, 80},
     Qt::PointingHandCursor,
     u"Abre o Sistema QOR - Industrial"},
    {u"bitQorOndaro", u"AdvSmoothPanel2", {188, 151, 80, 80}, Qt::PointingHandCursor, u"Abre o Sistema QOR - Ondaro"},
    {u"bitQorConferencia",
     u"AdvSmoothPanel2",
     {269, 151, 80, 80},
     Qt::PointingHandCursor,
     u"Abre o Sistema QOR - Conferencia"},
    {u"bitQorVendas",
     u"AdvSmoothPanel2",
     {28, 230, 80, 80},
     Qt::PointingHandCursor,
     u"Abre o Sistema QOR - Vendas e Servi\u00e7os"},
    {u"bitQorFinance", u"AdvSmoothPanel2", {109, 230, 80, 80}, Qt::PointingHandCursor, u"Abre o Sistema QOR - Finance"},
    {u"bitQorCaixa", u"AdvSmoothPanel2", {188, 230, 80, 80}, Qt::PointingHandCursor, u"Abre o Sistema QOR - Caixa"},
    {u"bitQorPDV", u"AdvSmoothPanel2", {269, 230, 80, 80}, Qt::PointingHandCursor, u"Abre o Sistema QOR - PDV"},
    {u"bitQorNFeLight", u"AdvSmoothPanel2", {28, 309, 80, 80}, Qt::PointingHandCursor, u"Abre o Sistema QOR - Light"},
    {u"bitQorNFeFree", u"AdvSmoothPanel2", {109, 309, 80, 80}, Qt::PointingHandCursor, u"Abre o Sistema QOR - Free"},
    {u"bitQorCRM", u"AdvSmoothPanel2", {188, 309, 80, 80}, Qt::PointingHandCursor, u"Abre o Sistema QOR - CRM"},
    {u"bitQOrHelpDesk",
     u"AdvSmoothPanel2",
     {269, 309, 80, 80},
     Qt::PointingHandCursor,
     u"Abre o Sistema QOR - Help Desk"},
    {u"bitRh", u"AdvSmoothPanel2", {388, 72, 161, 80}, Qt::PointingHandCursor, u"Abre o Sistema QOR - RH"},
    {u"bitFiscal",
     u"AdvSmoothPanel2",
     {548, 72, 161, 80},
     Qt::PointingHandCursor,
     u"Abre o Sistema QOR - Escrita Fiscal"},
    {u"bitContabilidade",
     u"AdvSmoothPanel2",
     {388, 151, 161, 80},
     Qt::PointingHandCursor,
     u"Abre o Sistema QOR - Contabilidade"},
    {u"bitLucroPresumido",
     u"AdvSmoothPanel2",
     {548, 151, 80, 80},
     Qt::PointingHandCursor,
     u"Abre o Sistema QOR - Lucro"},
    {u"bitControler",
     u"AdvSmoothPanel2",
     {629, 151, 80, 80},
     Qt::PointingHandCursor,
     u"Abre o Sistema QOR - Controller"},
};

struct LabelRow
{
    const char16_t *name;
    const char16_t *text;
    int pixelSize;
    bool italic;
    Qt::Alignment horizontal;
};

const LabelRow kLabels[] = {
    {u"Label2", u"Acesso aos Sistemas", 13, true, Qt::AlignHCenter},
    {u"lbMinimizar", u"-", 16, true, Qt::AlignLeft},
    {u"lbSair", u"Sair", 13, true, Qt::AlignRight},
    {u"Label1", u"Gest\u00e3o Empresarial", 16, false, Qt::AlignLeft},
    {u"Label3", u"Gest\u00e3o Cont\u00e1bil", 16, false, Qt::AlignLeft},
};

class MainWindowLayoutTest : public ::testing::Test
{
protected:
    // As the program does: its captions are drawn in these faces.
    static void SetUpTestSuite() { installFontSubstitutions(); }

    MainWindowLayoutTest() { window.show(); }

    QWidget *widget(const char16_t *name)
    {
        auto *found = window.findChild<QWidget *>(QString::fromUtf16(name));
        EXPECT_NE(found, nullptr) << QString::fromUtf16(name).toStdString();
        return found;
    }

    TempDir dir;
    FakeServices fakes{dir.path()};
    TFrmMenuGeralNovo window{fakes.services};
};

TEST_F(MainWindowLayoutTest, WindowProperties)
{
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window.size(), QSize(780, 569));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "fixed size";
    EXPECT_EQ(window.windowTitle(), u"M e n u  G e r a l  d o  S i s t e m a."_s);
    ASSERT_NE(window.windowHandle(), nullptr);
    EXPECT_EQ(window.windowHandle()->title(), u"Menu Geral"_s) << "what task switching shows";
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(0x00, 0xFF, 0xFF));
    EXPECT_EQ(window.font().family(), u"MS Sans Serif"_s);
    EXPECT_EQ(window.font().pixelSize(), 11);
    EXPECT_FALSE(window.font().bold());
}

TEST_F(MainWindowLayoutTest, EveryWidgetStandsWhereItShould)
{
    for (const WidgetRow &row : kRows) {
        SCOPED_TRACE(QString::fromUtf16(row.name).toStdString());
        QWidget *found = widget(row.name);
        ASSERT_NE(found, nullptr);
        ASSERT_NE(found->parentWidget(), nullptr);
        EXPECT_EQ(found->parentWidget()->objectName(), QString::fromUtf16(row.parent));
        EXPECT_EQ(found->geometry(), row.bounds);
        EXPECT_EQ(found->cursor().shape(), row.cursor);
        EXPECT_EQ(found->toolTip(), QString::fromUtf16(row.hint));
        EXPECT_EQ(found->accessibleName(), QString::fromUtf16(row.hint)) << "a screen reader names what a tile opens";
    }
}

TEST_F(MainWindowLayoutTest, LabelsHaveTheirTextsAndFonts)
{
    for (const LabelRow &row : kLabels) {
        SCOPED_TRACE(QString::fromUtf16(row.name).toStdString());
        auto *label = qobject_cast<QLabel *>(widget(row.name));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromUtf16(row.text));
        EXPECT_EQ(label->font().family(), u"Trebuchet MS"_s);
        EXPECT_EQ(label->font().pixelSize(), row.pixelSize);
        EXPECT_TRUE(label->font().bold());
        EXPECT_EQ(label->font().italic(), row.italic);
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0x1D, 0x65, 0x97));
        EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, row.horizontal);
        EXPECT_FALSE(label->autoFillBackground()) << "transparent";
    }
}

TEST(CaptionLabelTest, DrawsItsTextOnceThePictureNoLongerStandsForIt)
{
    CaptionLabel label(u"Sair"_s);
    label.resize(28, 18);
    QImage picture(28, 18, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    label.setCaptionPicture(picture);
    EXPECT_TRUE(label.showsCaptionPicture());

    label.resize(30, 18);
    EXPECT_FALSE(label.showsCaptionPicture()) << "drawn for other bounds";
    label.resize(28, 18);
    label.setText(u"Fechar"_s);
    EXPECT_FALSE(label.showsCaptionPicture()) << "drawn for another text";
    label.setText(u"Sair"_s);
    const QFont drawnIn = label.font();
    QFont bolder = drawnIn;
    bolder.setBold(!drawnIn.bold());
    label.setFont(bolder);
    EXPECT_FALSE(label.showsCaptionPicture()) << "drawn in another face";
    label.setFont(drawnIn);
    ASSERT_TRUE(label.showsCaptionPicture());
    label.setEnabled(false);
    EXPECT_FALSE(label.showsCaptionPicture()) << "a disabled label greys its text";
}

TEST_F(MainWindowLayoutTest, StackingFromBottomToTop)
{
    QStringList windowChildren;
    for (QObject *child : window.children()) {
        if (child->isWidgetType())
            windowChildren << child->objectName();
    }
    EXPECT_EQ(windowChildren, (QStringList{u"Image2"_s, u"PNGPicture1"_s, u"PNGPicture2"_s, u"AdvSmoothPanel1"_s,
                                           u"AdvSmoothPanel2"_s}));

    // Inside the modules panel, in the order of its tables: the tiles too,
    // the left block row by row, then the right block.
    QStringList panelChildren;
    for (QObject *child : widget(u"AdvSmoothPanel2")->children()) {
        if (child->isWidgetType())
            panelChildren << child->objectName();
    }
    QStringList tableOrder;
    for (const WidgetRow &row : kRows) {
        if (QStringView(row.parent) == u"AdvSmoothPanel2")
            tableOrder << QString::fromUtf16(row.name);
    }
    ASSERT_EQ(tableOrder.size(), 5 + 18);
    EXPECT_EQ(panelChildren, tableOrder);
}

TEST_F(MainWindowLayoutTest, PicturesArePlacedAsSpecified)
{
    auto *wordmark = qobject_cast<PictureBox *>(widget(u"PNGPicture1"));
    auto *emblem = qobject_cast<PictureBox *>(widget(u"PNGPicture2"));
    ASSERT_NE(wordmark, nullptr);
    ASSERT_NE(emblem, nullptr);
    EXPECT_EQ(wordmark->picture().deviceIndependentSize().toSize(), QSize(259, 47));
    EXPECT_EQ(wordmark->pictureOffset(), QPoint(4, 10));
    EXPECT_EQ(emblem->picture().deviceIndependentSize().toSize(), QSize(79, 67));
    EXPECT_EQ(emblem->pictureOffset(), QPoint(4, 0));

    for (const char16_t *line : {u"Image21", u"Image3", u"Image4"}) {
        auto *picture = qobject_cast<PictureBox *>(widget(line));
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->placement(), PictureBox::Placement::Stretched);
        EXPECT_FALSE(picture->picture().isNull());
    }

    // Tiles: 157 x 76 in a 161 x 80 button sits at (2, 2); 77 x 77 in 80 x 80 at (1, 1).
    auto *wide = qobject_cast<PictureButton *>(widget(u"bitQorGerencial"));
    auto *square = qobject_cast<PictureButton *>(widget(u"bitControler"));
    ASSERT_NE(wide, nullptr);
    ASSERT_NE(square, nullptr);
    EXPECT_EQ(wide->pictureOffset(), QPoint(2, 2));
    EXPECT_EQ(square->pictureOffset(), QPoint(1, 1));
}

TEST_F(MainWindowLayoutTest, TilesAndTheWindowControlsShowTheirHintAsABalloonAndNothingElseDoes)
{
    BalloonHint hints; // takes over every hint of the application while it exists
    const std::pair<const char16_t *, const char16_t *> cases[] = {
        {u"bitQorCaixa", u"Abre o Sistema QOR - Caixa"},
        {u"bitQOrHelpDesk", u"Abre o Sistema QOR - Help Desk"},
        {u"lbSair", u"Fechar o Menu Geral"},
        {u"lbMinimizar", u"Minimizar a Janela"},
        {u"Label1", nullptr},
        {u"Label2", nullptr},
        {u"Image21", nullptr},
        {u"PNGPicture1", nullptr},
        {u"AdvSmoothPanel2", nullptr},
        {u"Image2", nullptr},
    };
    for (const auto &[name, hint] : cases) {
        SCOPED_TRACE(QString::fromUtf16(name).toStdString());
        QWidget *target = widget(name);
        ASSERT_NE(target, nullptr);
        const QPoint inside = target->rect().center();
        QHelpEvent request(QEvent::ToolTip, inside, target->mapToGlobal(inside));
        QApplication::sendEvent(target, &request);

        EXPECT_FALSE(QToolTip::isVisible()) << "never the plain tool-tip box";
        auto *balloon = qobject_cast<BalloonWindow *>(hints.currentBalloon());
        if (hint == nullptr) {
            EXPECT_EQ(balloon, nullptr);
        } else {
            ASSERT_NE(balloon, nullptr);
            EXPECT_EQ(balloon->text(), QString::fromUtf16(hint));
        }
        hints.hideBalloon();
    }
}

TEST_F(MainWindowLayoutTest, CentredOnTheDesktopWhenFirstShown)
{
    const QRect desktop = window.screen()->geometry();
    EXPECT_EQ(window.frameGeometry().center(), desktop.center());
}

} // namespace
