// Qt's own texts in Brazilian Portuguese: looked for where Qt for Windows
// looks when no qt.conf says otherwise, translations/ beside the program,
// which is where the build and the installer put them.

#include "QtPrinters.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

TEST(QtTranslation, IsFoundBesideTheProgram)
{
    const QString path = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    EXPECT_EQ(QDir::cleanPath(path), QDir::cleanPath(QCoreApplication::applicationDirPath() + u"/translations"_s));

    QTranslator translator;
    ASSERT_TRUE(translator.load(QLocale(QLocale::Portuguese, QLocale::Brazil), u"qtbase"_s, u"_"_s, path));
    EXPECT_EQ(translator.translate("QFileDialog", "Look in:"), u"Procurar em:"_s);
}

} // namespace
