#include "widgets/Fonts.h"

#include <QFont>
#include <QStringList>

namespace menugeral {
using namespace Qt::StringLiterals;

void installFontSubstitutions()
{
    // Liberation Sans keeps Arial's metrics; the others are the closest free
    // faces in width, with DejaVu Sans as the last resort everywhere.
    QFont::insertSubstitutions(u"MS Sans Serif"_s, {u"Liberation Sans"_s, u"Arial"_s, u"DejaVu Sans"_s});
    QFont::insertSubstitutions(u"Trebuchet MS"_s, {u"Open Sans"_s, u"Liberation Sans"_s, u"DejaVu Sans"_s});
    QFont::insertSubstitutions(u"Arial"_s, {u"Liberation Sans"_s, u"DejaVu Sans"_s});
}

} // namespace menugeral
