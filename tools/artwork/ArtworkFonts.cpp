#include "ArtworkFonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace menugeral::artwork {

using namespace Qt::StringLiterals;

namespace {

const QString captionFile = u"/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf"_s;
const QString wordmarkFile = u"/usr/share/fonts/truetype/open-sans/OpenSans-ExtraBold.ttf"_s;
const QString taglineFile = u"/usr/share/fonts/truetype/open-sans/OpenSans-Semibold.ttf"_s;
const QString materialIconsFile =
    u"/usr/share/fonts/truetype/materialdesignicons-webfont/materialdesignicons-webfont.ttf"_s;
const QString forkIconsFile = u"/usr/share/fonts/truetype/fork-awesome/forkawesome-webfont.ttf"_s;

// The family that the registered file provides: the face is then the file's
// own, not one that the font configuration would choose for a name.
std::optional<QFont> registeredFont(const QString &file, QString *error)
{
    const int id = QFontDatabase::addApplicationFont(file);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (id < 0 || families.isEmpty()) {
        *error = u"cannot load the font file "_s + file;
        return std::nullopt;
    }
    QFont font(families.constFirst());
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoFontMerging | QFont::NoSubpixelAntialias));
    font.setHintingPreference(QFont::PreferVerticalHinting);
    font.setKerning(true);
    return font;
}

// Icon faces serve only as outlines: their paths do not depend on hinting.
std::optional<QRawFont> outlineFont(const QString &file, QString *error)
{
    QRawFont font(file, 256.0, QFont::PreferNoHinting);
    if (!font.isValid()) {
        *error = u"cannot load the font file "_s + file;
        return std::nullopt;
    }
    return font;
}

} // namespace

std::optional<ArtworkFonts> ArtworkFonts::load(QString *error)
{
    auto caption = registeredFont(captionFile, error);
    auto wordmark = caption ? registeredFont(wordmarkFile, error) : std::nullopt;
    auto tagline = wordmark ? registeredFont(taglineFile, error) : std::nullopt;
    auto material = tagline ? outlineFont(materialIconsFile, error) : std::nullopt;
    auto fork = material ? outlineFont(forkIconsFile, error) : std::nullopt;
    if (!fork)
        return std::nullopt;
    caption->setBold(true);
    wordmark->setWeight(QFont::ExtraBold);
    tagline->setWeight(QFont::DemiBold);
    return ArtworkFonts{*caption, *wordmark, *tagline, *material, *fork};
}

} // namespace menugeral::artwork
