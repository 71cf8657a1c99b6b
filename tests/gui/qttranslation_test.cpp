#include "app/QtTranslation.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

bool translationShipped()
{
    for (const QString &folder : menugeral::qtTranslationFolders()) {
        if (QFileInfo::exists(folder + u'/' + menugeral::kQtTranslation + QStringLiteral(".qm")))
            return true;
    }
    return false;
}

// The browse buttons open Qt's own file dialog, which must not speak English.
TEST(QtTranslation, FileDialogSpeaksPortugueseWhereTheTranslationIsThere)
{
    if (!translationShipped())
        GTEST_SKIP() << "Qt's Brazilian Portuguese translation is not installed here";
    ASSERT_TRUE(menugeral::installQtTranslation(*qApp));

    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const auto *lookIn = dialog.findChild<QLabel *>(QStringLiteral("lookInLabel"));
    ASSERT_NE(lookIn, nullptr);
    EXPECT_EQ(lookIn->text(), QStringLiteral("Procurar em:"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Abrir"));
}

} // namespace
