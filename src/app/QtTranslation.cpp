#include "app/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace menugeral {

QStringList qtTranslationFolders()
{
    return {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
            QCoreApplication::applicationDirPath() + QStringLiteral("/translations")};
}

bool installQtTranslation(QCoreApplication &app)
{
    auto *translator = new QTranslator(&app);
    for (const QString &folder : qtTranslationFolders()) {
        if (translator->load(kQtTranslation.toString(), folder) && QCoreApplication::installTranslator(translator))
            return true;
    }
    delete translator;
    return false;
}

} // namespace menugeral
