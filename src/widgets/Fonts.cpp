#include "widgets/Fonts.h"

#include <QFont>
#include <QStringList>

namespace menugeral {
using namespace Qt::StringLiterals;

void installFontSubstitutions()
{
    // Chosen by measuring the windows' captions against their fixed boxes.
    // DejaVu Sans Condensed is the one free face narrow enough for the
    // settings labels at 11 px (the longest within 90 px).
    QFont::insertSubstitutions(u"MS Sans Serif"_s,
                               {u"DejaVu Sans Condensed"_s, u"Liberation Sans"_s, u"DejaVu Sans"_s});
    // Lato is the humanist face whose bold headings fit their boxes at 16 px;
    // Liberation Sans and Open Sans come close, DejaVu Sans is far too wide.
    QFont::insertSubstitutions(u"Trebuchet MS"_s, {u"Lato"_s, u"Liberation Sans"_s, u"Open Sans"_s, u"DejaVu Sans"_s});
    // Liberation Sans has Arial's metrics.
    QFont::insertSubstitutions(u"Arial"_s, {u"Liberation Sans"_s, u"DejaVu Sans Condensed"_s, u"DejaVu Sans"_s});
}

} // namespace menugeral
