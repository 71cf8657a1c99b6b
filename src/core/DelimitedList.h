#pragma once

#include <QChar>
#include <QStringList>
#include <QStringView>

namespace menugeral {

// Reads a text as a delimited list, the way the module path's items are read:
// - characters with codes 1 to 32 before the first item are skipped;
// - an item starting with a double quote runs to the matching closing quote
//   (a doubled quote inside stands for one, the quotes are removed; without a
//   closing quote the item runs to the end);
// - any other item ends at the delimiter or at a character with a code from 1 to 32;
// - after an item, characters 1 to 32 are skipped, then a delimiter with the
//   characters 1 to 32 after it counts as one separator;
// - a delimiter that is the very last character adds an empty item.
QStringList splitDelimitedList(QStringView text, QChar delimiter);

} // namespace menugeral
