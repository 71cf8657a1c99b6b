#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

class QCoreApplication;

namespace menugeral {

// The menu speaks Brazilian Portuguese; Qt's own texts (the buttons and labels
// of its standard dialogs) come from Qt's translation for that language.
inline constexpr QStringView kQtTranslation = u"qtbase_pt_BR";

// Where that translation is looked for, first found wins: Qt's own folder
// for it, then "translations" beside the program (where a build that carries
// Qt beside the program puts it).
QStringList qtTranslationFolders();

// Installs Qt's translation on `app` (owned by it from then on); false when no
// folder holds a usable one, and Qt's texts stay in English.
bool installQtTranslation(QCoreApplication &app);

} // namespace menugeral
