#include "Fakes.h"
#include "TempDir.h"
#include "core/ModuleCatalogue.h"
#include "menu/ModuleLauncher.h"
#include "menu/UnitMenuGeralNovoFrm.h"
#include "widgets/PictureButton.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace menugeral;
using namespace menugeral::test;
using namespace Qt::StringLiterals;

namespace {

// Writes configuracoes.ini as the settings window would: Windows-1252, CRLF.
QByteArray configBytes(const QList<std::pair<QStringView, QString>> &paths)
{
    QByteArray bytes;
    QStringView section;
    for (const ModuleEntry &module : ModuleCatalogue::entries()) {
        for (const auto &[key, path] : paths) {
            if (key != module.key)
                continue;
            if (module.section != section) {
                section = module.section;
                bytes += "[" + section.toLatin1() + "]\r\n";
            }
            bytes += module.key.toLatin1() + "=" + path.toLatin1() + "\r\n";
        }
    }
    return bytes;
}

// A module program "<name>.exe", named as this system writes paths: a valid
// module path in either syntax, without being executable.
QString makeProgram(const TempDir &dir, const QString &name)
{
    return QDir::toNativeSeparators(dir.writeFile(name + u".exe"_s, "MZ"));
}

class MainWindowTest : public ::testing::Test
{
protected:
    std::unique_ptr<TFrmMenuGeralNovo> makeWindow()
    {
        auto window = std::make_unique<TFrmMenuGeralNovo>(fakes.services);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }

    void writeConfig(const QList<std::pair<QStringView, QString>> &paths)
    {
        dir.writeFile(u"configuracoes.ini"_s, configBytes(paths));
    }

    PictureButton *tile(TFrmMenuGeralNovo &window, const QString &name)
    {
        auto *button = window.findChild<PictureButton *>(name);
        EXPECT_NE(button, nullptr) << name.toStdString();
        return button;
    }

    TempDir dir;
    FakeServices fakes{dir.path()};
};

TEST_F(MainWindowTest, MissingFileWarnsAboutF12AndLeavesEveryPathEmpty)
{
    auto window = makeWindow();

    ASSERT_EQ(fakes.notifier.boxes.size(), 1);
    EXPECT_EQ(fakes.notifier.boxes[0].kind, RecordingNotifier::Box::Warning);
    EXPECT_EQ(fakes.notifier.boxes[0].caption, u"Menu Geral do Sistema"_s);
    EXPECT_EQ(
        fakes.notifier.boxes[0].text,
        u"\u00c9 necess\u00e1rio configurar o sistema!\rPara acessar as configura\u00e7\u00f5es pressione <F12>."_s);
    for (std::size_t row = 0; row < ModuleCatalogue::size; ++row)
        EXPECT_TRUE(window->modulePath(row).isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath(u"configuracoes.ini"_s))) << "the menu never creates the file";

    // Every tile then gives the empty-path warning and starts nothing.
    QTest::mouseClick(tile(*window, u"bitQorCaixa"_s), Qt::LeftButton);
    EXPECT_EQ(fakes.notifier.warnings().last(), kEmptyPathWarning.toString());
    EXPECT_TRUE(fakes.processStarter.programs.isEmpty());
}

TEST_F(MainWindowTest, ADirectoryNamedLikeTheFileCountsAsMissing)
{
    QDir(dir.path()).mkdir(u"configuracoes.ini"_s);
    auto window = makeWindow();
    EXPECT_EQ(fakes.notifier.warnings(), QStringList{kMissingConfigWarning.toString()});
}

TEST_F(MainWindowTest, LoadsEveryPathFromTheProgramDirectory)
{
    writeConfig({{u"Modulo Caixa", u"/opt/caixa/caixa"_s}, {u"Modulo Cia", u"/opt/cia/cia"_s}});
    auto window = makeWindow();

    EXPECT_TRUE(fakes.notifier.boxes.isEmpty());
    EXPECT_EQ(window->programDirectory(), QDir::toNativeSeparators(dir.path() + u'/'));
    EXPECT_EQ(window->modulePath(*ModuleCatalogue::indexOfLaunchKey(u"Caixa")), u"/opt/caixa/caixa"_s);
    EXPECT_EQ(window->modulePath(*ModuleCatalogue::indexOfLaunchKey(u"Cia")), u"/opt/cia/cia"_s);
    EXPECT_TRUE(window->modulePath(*ModuleCatalogue::indexOfLaunchKey(u"Gerencial")).isEmpty());
}

TEST_F(MainWindowTest, ReloadKeepsPathsWhoseKeysWereRemovedAndTakesNewOnes)
{
    writeConfig({{u"Modulo Caixa", u"/old/caixa"_s}, {u"Modulo Lucro", u"/old/lucro"_s}});
    auto window = makeWindow();

    writeConfig({{u"Modulo Lucro", u"/new/lucro"_s}});
    window->BuscarArquivoIni();

    EXPECT_EQ(window->modulePath(*ModuleCatalogue::indexOfLaunchKey(u"Caixa")), u"/old/caixa"_s);
    EXPECT_EQ(window->modulePath(*ModuleCatalogue::indexOfLaunchKey(u"Lucro")), u"/new/lucro"_s);

    QFile::remove(dir.filePath(u"configuracoes.ini"_s));
    window->BuscarArquivoIni();
    EXPECT_EQ(fakes.notifier.warnings(), QStringList{kMissingConfigWarning.toString()});
    EXPECT_EQ(window->modulePath(*ModuleCatalogue::indexOfLaunchKey(u"Lucro")), u"/new/lucro"_s);
}

TEST_F(MainWindowTest, EachTileStartsItsOwnRowsProgram)
{
    // A distinct program per module, so a tile wired to the wrong row shows.
    QList<std::pair<QStringView, QString>> paths;
    for (const ModuleEntry &module : ModuleCatalogue::entries())
        paths.append({module.key, makeProgram(dir, u"bin/"_s + module.launchKey.toString().remove(u' ')) + u" /x"_s});
    writeConfig(paths);
    auto window = makeWindow();

    for (const ModuleEntry &module : ModuleCatalogue::entries()) {
        if (!module.hasMenuButton())
            continue;
        SCOPED_TRACE(module.menuButton.toString().toStdString());
        fakes.processStarter.programs.clear();
        QTest::mouseClick(tile(*window, module.menuButton.toString()), Qt::LeftButton);
        ASSERT_EQ(fakes.processStarter.programs.size(), 1);
        const LaunchRequest &started = fakes.processStarter.programs[0];
        EXPECT_EQ(started.fileName, module.launchKey.toString().remove(u' ') + u".exe"_s);
        EXPECT_EQ(started.directory, QDir::toNativeSeparators(dir.filePath(u"bin"_s)));
        EXPECT_EQ(started.parameters, u"/x"_s);
    }
    EXPECT_TRUE(fakes.notifier.boxes.isEmpty());
}

// Each click handler, called by its own name, starts its own module.
TEST_F(MainWindowTest, EachClickHandlerStartsItsOwnModule)
{
    const std::pair<TFrmMenuGeralNovo::ClickHandler, const char16_t *> handlers[] = {
        {&TFrmMenuGeralNovo::PNGButton1Click, u"Gerencial"},
        {&TFrmMenuGeralNovo::bitQorVendasClick, u"VendServ"},
        {&TFrmMenuGeralNovo::bitQorCaixaClick, u"Caixa"},
        {&TFrmMenuGeralNovo::bitQorPDVClick, u"Pdv"},
        {&TFrmMenuGeralNovo::bitQorCooperClick, u"Cooper"},
        {&TFrmMenuGeralNovo::bitQorOndaroClick, u"Ondaro"},
        {&TFrmMenuGeralNovo::bitQorConferenciaClick, u"Conferencia"},
        {&TFrmMenuGeralNovo::bitQorIndustriaClick, u"Industrial"},
        {&TFrmMenuGeralNovo::bitQorCRMClick, u"Relac"},
        {&TFrmMenuGeralNovo::bitQorNFeLightClick, u"Light"},
        {&TFrmMenuGeralNovo::bitQorNFeFreeClick, u"Free"},
        {&TFrmMenuGeralNovo::bitQorFinanceClick, u"Finance"},
        {&TFrmMenuGeralNovo::bitQorHelpDeskClick, u"HelpDesk"},
        {&TFrmMenuGeralNovo::bitContabilidadeClick, u"Contabil"},
        {&TFrmMenuGeralNovo::bitFiscalClick, u"EscFiscal"},
        {&TFrmMenuGeralNovo::bitRhClick, u"FolhaPgto"},
        {&TFrmMenuGeralNovo::bitLucroPresumidoClick, u"Lucro"},
        {&TFrmMenuGeralNovo::bitControlerClick, u"Controller"},
    };
    QList<std::pair<QStringView, QString>> paths;
    for (const ModuleEntry &module : ModuleCatalogue::entries())
        paths.append({module.key, makeProgram(dir, u"bin/"_s + module.launchKey.toString().remove(u' '))});
    writeConfig(paths);
    auto window = makeWindow();

    for (const auto &[handler, program] : handlers) {
        SCOPED_TRACE(QString::fromUtf16(program).toStdString());
        fakes.processStarter.programs.clear();
        (window.get()->*handler)();
        ASSERT_EQ(fakes.processStarter.programs.size(), 1);
        EXPECT_EQ(fakes.processStarter.programs[0].fileName, QString::fromUtf16(program) + u".exe"_s);
    }
}

TEST_F(MainWindowTest, ClickingTwiceStartsTwice)
{
    writeConfig({{u"Modulo Gerencial", makeProgram(dir, u"ger"_s)}});
    auto window = makeWindow();
    QTest::mouseClick(tile(*window, u"bitQorGerencial"_s), Qt::LeftButton);
    QTest::mouseClick(tile(*window, u"bitQorGerencial"_s), Qt::LeftButton);
    EXPECT_EQ(fakes.processStarter.programs.size(), 2);
}

TEST_F(MainWindowTest, InvalidPathGivesItsWarningAndStartsNothing)
{
    writeConfig({{u"Modulo Pdv", dir.filePath(u"missing"_s)}});
    auto window = makeWindow();
    QTest::mouseClick(tile(*window, u"bitQorPDV"_s), Qt::LeftButton);
    EXPECT_EQ(fakes.notifier.warnings(), QStringList{kInvalidPathWarning.toString()});
    EXPECT_TRUE(fakes.processStarter.programs.isEmpty());
}

TEST_F(MainWindowTest, EscapeClosesAndOtherKeysAreIgnored)
{
    writeConfig({});
    auto window = makeWindow();
    for (const int key : {int(Qt::Key_A), int(Qt::Key_Return), int(Qt::Key_F1), int(Qt::Key_Space)}) {
        QTest::keyClick(window.get(), Qt::Key(key));
        EXPECT_TRUE(window->isVisible()) << key;
    }
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(fakes.notifier.boxes.isEmpty()) << "no confirmation question";
}

TEST_F(MainWindowTest, MinusMinimisesAndSairCloses)
{
    writeConfig({});
    auto window = makeWindow();
    auto *minimise = window->findChild<QWidget *>(u"lbMinimizar"_s);
    auto *quit = window->findChild<QWidget *>(u"lbSair"_s);
    ASSERT_NE(minimise, nullptr);
    ASSERT_NE(quit, nullptr);

    QTest::mouseClick(minimise, Qt::LeftButton, {}, QPoint(3, 10));
    EXPECT_TRUE(window->isMinimized());

    window->showNormal();
    QTest::mouseClick(quit, Qt::LeftButton, {}, QPoint(20, 9));
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, NoChildTakesTheKeyboardFocus)
{
    writeConfig({});
    auto window = makeWindow();
    for (QWidget *child : window->findChildren<QWidget *>()) {
        SCOPED_TRACE(child->objectName().toStdString());
        EXPECT_EQ(child->focusPolicy(), Qt::NoFocus);
    }
    QTest::mouseClick(tile(*window, u"bitRh"_s), Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), nullptr);
}

} // namespace

namespace {

class MainWindowSettingsTest : public MainWindowTest, public ::testing::WithParamInterface<Qt::KeyboardModifiers>
{};

TEST_P(MainWindowSettingsTest, F12OpensThePasswordDialogModallyWhateverTheModifiers)
{
    writeConfig({});
    auto window = makeWindow();
    QString caption;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (dialog == nullptr)
            return;
        caption = dialog->windowTitle();
        modal = dialog->isModal();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    QTest::keyClick(window.get(), Qt::Key_F12, GetParam());

    EXPECT_EQ(caption, u"Autoriza\u00e7\u00e3o para acesso"_s);
    EXPECT_TRUE(modal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the dialog is gone when its loop returns";
    EXPECT_TRUE(window->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Modifiers, MainWindowSettingsTest,
                         ::testing::Values(Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier));

} // namespace
