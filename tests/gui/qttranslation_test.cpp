#include "app/QtTranslation.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

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
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const auto *lookIn = dialog.findChild<QLabel *>(QStringLiteral("lookInLabel"));
    const auto *buttons = dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    ASSERT_NE(lookIn, nullptr);
    ASSERT_NE(buttons, nullptr);
    EXPECT_NE(lookIn->text(), QStringLiteral("Look in:"));
    EXPECT_FALSE(lookIn->text().isEmpty());
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancelar"));
}

} // namespace
