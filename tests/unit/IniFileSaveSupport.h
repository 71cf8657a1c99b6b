#pragma once

#include "TempDir.h"
#include "core/IniFile.h"

#include <QDir>
#include <QStringList>

#include <gtest/gtest.h>

#include <optional>

// What the save tests of every system share.
namespace menugeral::test::inifile_save {

inline const QByteArray kOriginal = "; keep me\r\n[GestaoEmpresarial]\r\nModulo Caixa=C:\\QOR\\Caixa.exe\n";
inline const QString kFileName = QStringLiteral("configuracoes.ini");
inline constexpr QStringView kSection = u"GestaoEmpresarial";
inline constexpr QStringView kKey = u"Modulo Caixa";

inline QStringList entriesOf(const TempDir &dir)
{
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// A failed save: the exact message, and the directory as it was (the file's
// bytes unchanged, or still no file, and no temporary file left behind).
inline void expectRefused(IniFile &ini, const TempDir &dir, const std::optional<QByteArray> &before)
{
    EXPECT_FALSE(ini.save());
    EXPECT_EQ(ini.errorString(), QStringLiteral("Unable to write to ") + ini.fileName());
    if (before) {
        EXPECT_EQ(dir.readFile(kFileName), *before);
        EXPECT_EQ(entriesOf(dir), QStringList{kFileName});
    } else {
        EXPECT_EQ(entriesOf(dir), QStringList{});
    }
}

} // namespace menugeral::test::inifile_save
