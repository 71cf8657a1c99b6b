#include "core/ModuleCatalogue.h"
#include "widgets/Fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QSize>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>

namespace menugeral {
namespace {
using namespace Qt::StringLiterals;

struct Caption
{
    QString face;
    int pixelSize;
    bool bold;
    bool italic;
    QString text;
    QSize box;
};

// The fixed boxes of the windows' captions, with the face each is set in.
const Caption kCaptions[] = {
    {u"Trebuchet MS"_s, 13, true, true, u"Acesso aos Sistemas"_s, {736, 18}},
    {u"Trebuchet MS"_s, 13, true, true, u"Sair"_s, {28, 18}},
    {u"Trebuchet MS"_s, 16, true, true, u"-"_s, {6, 22}},
    {u"Trebuchet MS"_s, 16, true, false, u"Gest\u00e3o Empresarial"_s, {146, 22}},
    {u"Trebuchet MS"_s, 16, true, false, u"Gest\u00e3o Cont\u00e1bil"_s, {119, 22}},
    {u"MS Sans Serif"_s, 11, true, false, u"Gest\u00e3o Empresarial"_s, {110, 13}},
    {u"MS Sans Serif"_s, 11, true, false, u"Gest\u00e3o Cont\u00e1bil"_s, {91, 13}},
    {u"MS Sans Serif"_s, 11, false, false, u"Senha"_s, {31, 13}},
    {u"Arial"_s, 19, false, false, u"Acesso \u00e0s Configura\u00e7\u00f5es"_s, {219, 22}},
};

// The settings rows' labels stand at x = 4 before the edit fields at x = 98.
constexpr QSize kSettingsLabelBox{90, 13};

struct FreeFace
{
    QString family;
    const char *package; // the Debian package that installs it
};

// The free face each named face should be drawn in here.
FreeFace expectedFace(const QString &face)
{
    if (face == u"Trebuchet MS")
        return {u"Lato"_s, "fonts-lato"};
    if (face == u"MS Sans Serif")
        return {u"DejaVu Sans Condensed"_s, "fonts-dejavu-extra"};
    return {u"Liberation Sans"_s, "fonts-liberation2"};
}

QFont fontFor(const Caption &caption)
{
    QFont font(caption.face);
    font.setPixelSize(caption.pixelSize);
    font.setBold(caption.bold);
    font.setItalic(caption.italic);
    return font;
}

class CaptionFonts : public testing::Test
{
public:
protected:
    static void SetUpTestSuite() { installFontSubstitutions(); }

    // Why the captions cannot be measured here, or empty when the face they
    // were measured with is installed.
    static std::string missingFace(const QString &face)
    {
        const FreeFace expected = expectedFace(face);
        if (QFontDatabase::hasFamily(expected.family))
            return {};
        return u"\"%1\" (Debian package %2) is not installed, so \"%3\" cannot be measured"_s
            .arg(expected.family, QLatin1StringView(expected.package), face)
            .toStdString();
    }

    static void expectFaceAndFit(const QFont &font, const QString &face, const QString &text, const QSize &box)
    {
        EXPECT_EQ(QFontInfo(font).family(), expectedFace(face).family);
        expectFits(font, text, box);
    }

    static void expectFits(const QFont &font, const QString &text, const QSize &box)
    {
        const QFontMetrics metrics(font);
        // Italic letters may reach past their advance: the ink counts too.
        const int width = std::max(metrics.horizontalAdvance(text), metrics.boundingRect(text).right() + 1);
        EXPECT_LE(width, box.width()) << text.toStdString() << " in " << QFontInfo(font).family().toStdString();
        EXPECT_LE(metrics.height(), box.height()) << text.toStdString();
    }
};

class FixedCaption : public CaptionFonts, public testing::WithParamInterface<Caption>
{};

TEST_P(FixedCaption, FitsItsBox)
{
    const Caption &caption = GetParam();
    const QFont font = fontFor(caption);
    if (const std::string reason = missingFace(caption.face); !reason.empty())
        GTEST_SKIP() << reason;
    expectFaceAndFit(font, caption.face, caption.text, caption.box);
}

void PrintTo(const Caption &caption, std::ostream *out)
{
    *out << caption.face.toStdString() << " " << caption.pixelSize << " px";
}

std::string captionName(const testing::TestParamInfo<Caption> &param)
{
    std::string name = param.param.face.toStdString() + "_" + std::to_string(param.param.pixelSize) + "_";
    for (const QChar c : param.param.text) {
        if (c.isLetterOrNumber() && c.unicode() < 128)
            name += char(c.unicode());
    }
    std::erase(name, ' ');
    return name.back() == '_' ? name + "Hyphen" : name;
}

INSTANTIATE_TEST_SUITE_P(Windows, FixedCaption, testing::ValuesIn(kCaptions), captionName);

TEST_F(CaptionFonts, EverySettingsLabelFitsBeforeItsEditField)
{
    QFont font(u"MS Sans Serif"_s);
    font.setPixelSize(11);
    if (const std::string reason = missingFace(u"MS Sans Serif"_s); !reason.empty())
        GTEST_SKIP() << reason;
    for (const ModuleEntry &module : ModuleCatalogue::entries()) {
        SCOPED_TRACE(module.settingsLabel.toString().toStdString());
        expectFaceAndFit(font, u"MS Sans Serif"_s, module.settingsLabel.toString(), kSettingsLabelBox);
    }
}

} // namespace
} // namespace menugeral
