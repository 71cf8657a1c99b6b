// Draws every picture of the program into a resources directory:
//     menugeral-artwork <resources dir>
// The output is the same, byte for byte, on every run.

#include "AppIcon.h"
#include "ArtworkFonts.h"
#include "Background.h"
#include "Captions.h"
#include "Emblem.h"
#include "Glyphs.h"
#include "PictureFiles.h"
#include "Quantise.h"
#include "SeparatorLines.h"
#include "TileTable.h"
#include "Tiles.h"
#include "UsersIcon.h"
#include "Wordmark.h"
#include "core/ModuleCatalogue.h"
#include "widgets/Fonts.h"

#include <QApplication>
#include <QTextStream>

namespace {

using namespace menugeral::artwork;
using namespace Qt::StringLiterals;

// Each picture of the main window at its own size and at twice that size.
void writeMenuPictures(PictureFiles &files, const ArtworkFonts &fonts)
{
    for (const int scale : {1, 2}) {
        const auto name = [scale](const QString &base) -> QString {
            return u"menu/"_s + (scale == 1 ? base : doubleDensityName(base));
        };
        // The sky's gradients need more than 256 colours: dithered to a
        // palette that keeps the frame's colours exact.
        files.writePng(name(u"background.png"_s), quantised(drawBackground(scale), backgroundFrameColours()));
        files.writePng(name(u"wordmark.png"_s), drawWordmark(fonts, scale));
        files.writePng(name(u"emblem.png"_s), drawEmblem(scale));
        files.writePng(name(u"line-horizontal.png"_s), drawHorizontalLine(scale));
        files.writePng(name(u"line-vertical.png"_s), drawVerticalLine(scale));
        for (const menugeral::MenuCaption &caption : menugeral::kMenuCaptions)
            files.writePng(scale == 1 ? menugeral::captionArtworkName(caption)
                                      : doubleDensityName(menugeral::captionArtworkName(caption)),
                           drawCaption(caption, scale));
        for (const ModuleTile &tile : moduleTiles())
            files.writePng(
                name(u"tiles/"_s + menugeral::ModuleCatalogue::at(tile.module).menuButton.toString() + u".png"_s),
                drawTile(tile, fonts, scale));
    }
}

void writeSettingsPictures(PictureFiles &files, const ArtworkFonts &fonts)
{
    files.writePng(u"settings/glyph-ok.png"_s, drawOkGlyph(fonts));
    files.writePng(u"settings/glyph-cancel.png"_s, drawCancelGlyph(fonts));
    files.writePng(u"settings/glyph-save.png"_s, drawSaveGlyph());
    files.writePng(u"settings/glyph-open.png"_s, drawOpenGlyph());
    files.writeBytes(u"settings/users.ico"_s, usersIconFile());
}

// Not embedded: installed for the desktop's launchers on Linux, carried by
// the program file and its installer on Windows.
void writeApplicationIcon(PictureFiles &files)
{
    for (const int size : kAppIconSizes)
        files.writePng(u"icons/hicolor/%1x%1/apps/menugeral.png"_s.arg(size), drawAppIcon(size));
    files.writeBytes(u"icons/menugeral.ico"_s, appIconFile());
}

} // namespace

int main(int argc, char **argv)
{
    // Text is rendered the same way whatever display the tool is started on.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The captions resolve their faces as the program does.
    menugeral::installFontSubstitutions();
    QTextStream err(stderr);
    QTextStream out(stdout);

    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        err << "usage: menugeral-artwork <resources dir>\n";
        return 2;
    }

    QString error;
    const auto fonts = ArtworkFonts::load(&error);
    if (!fonts) {
        err << "menugeral-artwork: " << error << '\n';
        return 1;
    }

    PictureFiles files(arguments.at(1));
    writeMenuPictures(files, *fonts);
    writeSettingsPictures(files, *fonts);
    writeApplicationIcon(files);
    for (const QString &failure : files.failures())
        err << "menugeral-artwork: " << failure << '\n';
    out << "wrote " << files.written().size() << " files under " << arguments.at(1) << '\n';
    return files.failures().isEmpty() ? 0 : 1;
}
