#include "ForeignLines.h"
#include "SettingsTestSupport.h"
#include "core/IniFile.h"
#include "core/ModuleCatalogue.h"
#include "menu/UnitMenuGeralNovoFrm.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <iostream>
#include <optional>

using namespace menugeral;
using namespace menugeral::test;
using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kMiB = 1024 * 1024;

// The bounds a file of any content must stay within, from the menu's start to
// the settings window's save: linear in its size, and generous, so that a
// loaded machine or a sanitizer build keeps to them while a quadratic pass or
// a structure per line many times the size of the line does not.
constexpr qsizetype kMemoryPerByte = 3;
constexpr qsizetype kMemoryConstant = 96 * kMiB;
constexpr qint64 kMillisecondsPerMiB = 500;
constexpr qint64 kMillisecondsConstant = 20000;

QByteArray moduleSection()
{
    return "[GestaoEmpresarial]\r\nModulo Caixa=/opt/caixa\r\n";
}

QByteArray hundredMebibytes()
{
    QByteArray bytes;
    bytes.reserve(100 * kMiB + 64);
    for (int i = 0; bytes.size() < 100 * kMiB; ++i)
        bytes += "[Estranha" + QByteArray::number(i) + "]\r\nChave " + QByteArray::number(i) + "=valor\r\n";
    return bytes + moduleSection();
}

QByteArray halfMebibyteLines()
{
    return "[GestaoEmpresarial]\r\nLinha=" + QByteArray(kMiB / 2, 'x') +
           "\r\nModulo Caixa=/opt/caixa\r\nModulo Gerencial=" + QByteArray(kMiB / 2, 'g') + "\r\n";
}

QByteArray tenMebibyteLines()
{
    return "[GestaoEmpresarial]\r\nLinha=" + QByteArray(10 * kMiB, 'x') +
           "\r\nModulo Caixa=/opt/caixa\r\nModulo Gerencial=" + QByteArray(10 * kMiB, 'g') + "\r\n";
}

QByteArray binaryGarbage()
{
    QRandomGenerator random(13);
    QByteArray bytes(kMiB, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = static_cast<char>(random.bounded(256));
    return bytes + "\r\n" + moduleSection();
}

QByteArray nulBytes()
{
    return QByteArray("[GestaoEmpresarial]\0 fim\r\nModulo\0Pdv=/pdv\r\n\0\0\0\r\nChave=\0valor\r\n", 62) +
           "Modulo Caixa=/opt/caixa\r\n";
}

QByteArray mixedLineBreaks()
{
    return "[GestaoEmpresarial]\rModulo Caixa=/opt/caixa\rModulo Pdv=/opt/pdv\nModulo Cooper=/opt/cooper\r\n\n\r"
           "[GestaoContabil]\n\rModulo Cia=/opt/cia";
}

QByteArray headersWithoutBracket()
{
    return "[GestaoEmpresarial\r\nModulo Caixa=/opt/caixa\r\n[GestaoContabil ; nota\r\nModulo Cia=/opt/cia\r\n";
}

QByteArray hundredThousandSections()
{
    QByteArray bytes;
    for (int i = 0; i < 100000; ++i)
        bytes += "[Secao" + QByteArray::number(i) + "]\r\nModulo Caixa=/errado/" + QByteArray::number(i) + "\r\n";
    return bytes + moduleSection();
}

struct HostileCase
{
    const char *name;
    QByteArray (*content)();
    QList<std::pair<QStringView, QString>> paths; // launch key and the path read; every other one is empty
    bool refused = false;                         // above the bound: named in a box, nothing read, nothing saved

    friend void PrintTo(const HostileCase &c, std::ostream *out) { *out << c.name; }
};

const HostileCase kCases[] = {
    {"HundredMebibytes", hundredMebibytes, {}, true},
    {"TenMebibyteLines", tenMebibyteLines, {}, true},
    {"HalfMebibyteLines", halfMebibyteLines, {{u"Caixa", u"/opt/caixa"_s}, {u"Gerencial", QString(2047, u'g')}}},
    {"BinaryGarbage", binaryGarbage, {{u"Caixa", u"/opt/caixa"_s}}},
    {"NulBytes", nulBytes, {{u"Caixa", u"/opt/caixa"_s}}},
    {"MixedLineBreaks",
     mixedLineBreaks,
     {{u"Caixa", u"/opt/caixa"_s}, {u"Pdv", u"/opt/pdv"_s}, {u"Cooper", u"/opt/cooper"_s}, {u"Cia", u"/opt/cia"_s}}},
    // A header without "]" names the rest of its line.
    {"HeadersWithoutBracket", headersWithoutBracket, {{u"Caixa", u"/opt/caixa"_s}}},
    {"HundredThousandSections", hundredThousandSections, {{u"Caixa", u"/opt/caixa"_s}}},
};

// The most memory the process has held since the last reset, where the
// system tells (Linux: VmHWM, reset through clear_refs).
std::optional<qsizetype> resetPeakMemory()
{
    QFile clear(u"/proc/self/clear_refs"_s);
    if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1)
        return std::nullopt;
    return 0;
}

std::optional<qsizetype> peakMemory()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return std::nullopt;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    }
    return std::nullopt;
}

QStringList writtenKeys()
{
    QStringList keys{kImportNewsKey.toString()};
    for (const ModuleEntry &module : ModuleCatalogue::entries())
        keys.append(module.key.toString());
    return keys;
}

class HostileConfigTest : public SettingsWindowTest, public ::testing::WithParamInterface<HostileCase>
{};

TEST_P(HostileConfigTest, TheMenuReadsWhatItCanAndASaveKeepsEveryForeignLine)
{
    const HostileCase &c = GetParam();
    const QByteArray before = c.content();
    dir.writeFile(u"configuracoes.ini"_s, before);
    const qsizetype memoryBound = kMemoryPerByte * before.size() + kMemoryConstant;
    const qint64 timeBound = kMillisecondsPerMiB * before.size() / kMiB + kMillisecondsConstant;
    const bool measuresMemory = resetPeakMemory() && peakMemory();
    const qsizetype memoryBefore = peakMemory().value_or(0);
    QElapsedTimer timer;
    timer.start();

    {
        const TFrmMenuGeralNovo menu(fakes.services);
        if (c.refused) {
            const QStringList warnings = fakes.notifier.warnings();
            ASSERT_EQ(warnings.size(), 1);
            EXPECT_TRUE(warnings[0].contains(QDir::toNativeSeparators(configFile())) &&
                        warnings[0].contains(QString::number(before.size())))
                << warnings[0].toStdString();
        } else {
            EXPECT_TRUE(fakes.notifier.boxes.isEmpty());
        }
        for (const ModuleEntry &module : ModuleCatalogue::entries()) {
            const auto expected = std::find_if(c.paths.begin(), c.paths.end(),
                                               [&](const auto &path) { return path.first == module.launchKey; });
            const QString &read = menu.modulePath(*ModuleCatalogue::indexOfLaunchKey(module.launchKey));
            EXPECT_EQ(read, expected == c.paths.end() ? QString() : expected->second)
                << module.launchKey.toString().toStdString();
        }
    }
    auto window = openWindow();
    edit(*window, u"edtModPdv"_s)->setText(u"/novo/pdv"_s);
    childNamed<QPushButton>(*window, u"bitSalvar"_s)->click();
    const qint64 elapsed = timer.elapsed();
    const qsizetype memory = peakMemory().value_or(0) - memoryBefore;
    std::cout << c.name << ": " << before.size() / 1024 << " KiB read and saved in " << elapsed << " ms, peak memory +"
              << memory / 1024 << " KiB\n";

    if (c.refused) {
        expectFormCloseRan(0);
        EXPECT_EQ(fakes.notifier.boxes.size(), 2) << "a failed save is shown";
        EXPECT_TRUE(dir.readFile(u"configuracoes.ini"_s) == before);
        if (measuresMemory) {
            EXPECT_LE(memory, kMemoryConstant) << "a file refused unread costs nothing of its size";
        }
        return;
    }
    expectFormCloseRan(1);
    const QByteArray after = dir.readFile(u"configuracoes.ini"_s);
    EXPECT_EQ(IniFile(configFile()).read(u"GestaoEmpresarial", u"Modulo Pdv", {}), u"/novo/pdv"_s);
    const std::optional<QByteArray> lost = lostForeignLine(before, after, writtenKeys(), ini::Encoding::Windows1252);
    EXPECT_FALSE(lost) << "the save lost the line " << lost->left(80).toStdString();
    EXPECT_LE(elapsed, timeBound);
    if (measuresMemory) {
        EXPECT_LE(memory, memoryBound);
    } else {
        std::cout << "peak memory not measured: this system has no /proc/self/clear_refs\n";
    }
}

INSTANTIATE_TEST_SUITE_P(Files, HostileConfigTest, ::testing::ValuesIn(kCases),
                         [](const auto &test) { return std::string(test.param.name); });

} // namespace
