#pragma once

#include <QFont>
#include <QRawFont>
#include <QString>

#include <optional>

namespace menugeral::artwork {

// The faces the artwork is drawn with, each loaded from its file so that the
// pictures never depend on which fonts the machine would pick by name.
struct ArtworkFonts
{
    QFont caption;  // bold captions of the tiles
    QFont wordmark; // heavy letters of the wordmark
    QFont tagline;  // the wordmark's tagline
    QRawFont materialIcons;
    QRawFont forkIcons;

    // Registers the font files; on failure names the missing file in `error`.
    static std::optional<ArtworkFonts> load(QString *error);
};

} // namespace menugeral::artwork
