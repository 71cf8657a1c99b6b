#include "harness/MenuCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace menugeral::e2e;

namespace {

const QString kPasswordCaption = u"Autoriza\u00e7\u00e3o para acesso"_s;
const QString kSettingsCaption = u"Configura\u00e7\u00f5es"_s;

// The centre of the "Gerencial" tile: its bounds in the modules panel, which
// lies at 21, 109 in the menu.
constexpr QPoint kGerencialTileCentre{21 + 28 + 161 / 2, 109 + 72 + 80 / 2};

class SettingsOnDesktop : public MenuOnDesktopTest
{
protected:
    // The one window on screen with this caption, once it shows.
    std::optional<quint64> waitForWindowTitled(const QString &caption)
    {
        QList<quint64> found;
        if (!waitUntil([&] { return (found = desktop.visibleWindowsTitled(caption)).size() == 1; }))
            return std::nullopt;
        return found.first();
    }

    bool waitUntilGone(const QString &caption)
    {
        return waitUntil([&] { return desktop.visibleWindowsTitled(caption).isEmpty(); });
    }

    // Types the text into the window with real key events, as a user would.
    void type(quint64 window, const QString &text)
    {
        desktop.run(u"xdotool"_s, {u"windowactivate"_s, u"--sync"_s, windowIdText(window)});
        desktop.run(u"xdotool"_s, {u"type"_s, u"--delay"_s, u"20"_s, text});
    }

    // F12 on the menu, the password typed in lower case and Enter: the settings window.
    std::optional<quint64> openSettings(quint64 menuWindow)
    {
        desktop.key(menuWindow, u"F12"_s);
        const auto dialog = waitForWindowTitled(kPasswordCaption);
        EXPECT_TRUE(dialog) << "F12 showed no password dialog";
        if (!dialog)
            return std::nullopt;
        type(*dialog, u"tbx7341"_s);
        desktop.key(*dialog, u"Return"_s);
        const auto settings = waitForWindowTitled(kSettingsCaption);
        EXPECT_TRUE(settings) << "the password opened no settings window";
        EXPECT_TRUE(waitUntilGone(kPasswordCaption)) << "the dialog hides meanwhile";
        return settings;
    }
};

TEST_F(SettingsOnDesktop, APathTypedAndSavedIsWhatTheTileStartsAtOnce)
{
    const auto installed = menu.installProbe(menu.filePath(u"modulos"_s));
    ASSERT_TRUE(installed);
    const QString probe = *installed;
    menu.writeConfiguration({{u"Modulo Gerencial"_s, {}}, {u"Modulo Caixa"_s, u"/opt/caixa/caixa"_s}});
    const QString log = menu.probeLog();
    menu.start(menu.probeEnvironment());
    const auto window = menu.waitForOneMenuWindow();
    ASSERT_TRUE(window) << "the menu never came on screen";

    const auto settings = openSettings(*window);
    ASSERT_TRUE(settings);
    // The window opens on "&Salvar"; "&Cancelar" and then the "Gerencial" field follow.
    desktop.key(*settings, u"Tab"_s);
    desktop.key(*settings, u"Tab"_s);
    type(*settings, probe + u" --configurado"_s);
    desktop.key(*settings, u"Return"_s); // Enter in a field saves
    ASSERT_TRUE(waitUntilGone(kSettingsCaption)) << "Enter did not save and close";

    const QByteArray written = [&] {
        QFile file(menu.filePath(u"configuracoes.ini"_s));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    const QByteArray gerencial = "Modulo Gerencial=" + QFile::encodeName(probe) + " --configurado\r\n";
    EXPECT_TRUE(written.contains(gerencial)) << written.data();
    EXPECT_TRUE(written.contains("Modulo Caixa=/opt/caixa/caixa\r\n"));
    EXPECT_TRUE(written.contains("[OutrasConfiguracoes]\r\nImportar Not\xed"
                                 "cias=\r\n"));
    EXPECT_TRUE(desktop.visibleWindowsTitled(kPasswordCaption).isEmpty()) << "the dialog does not come back";
    EXPECT_TRUE(waitUntil([&] { return desktop.activeWindow() == window; })) << "the menu is active again";

    desktop.click(*window, kGerencialTileCentre);
    ASSERT_TRUE(waitUntil([&] { return QFileInfo(log).size() > 0; })) << "the tile did not start the new program";
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonObject run = QJsonDocument::fromJson(file.readAll().trimmed().split('\n').first()).object();
    EXPECT_EQ(run.value(u"program"_s).toString(), QFileInfo(probe).canonicalFilePath());
    EXPECT_EQ(run.value(u"args"_s).toArray().toVariantList(), QVariantList{u"--configurado"_s});
}

// The same steps as tests/e2e/win on Windows, against the same files: the
// save writes the same bytes on every system.
TEST_F(SettingsOnDesktop, SalvarWritesTheFileByteForByteAsOnEverySystem)
{
    const auto fixture = [](const char *name) {
        QFile file(QStringLiteral(MENUGERAL_E2E_DATA_DIR "/") + QLatin1StringView(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    {
        QFile file(menu.filePath(u"configuracoes.ini"_s));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(fixture("settings_before.ini"));
    }
    menu.start();
    const auto window = menu.waitForOneMenuWindow();
    ASSERT_TRUE(window) << "the menu never came on screen";
    const auto settings = openSettings(*window);
    ASSERT_TRUE(settings);
    desktop.key(*settings, u"Tab"_s);
    desktop.key(*settings, u"Tab"_s);
    desktop.key(*settings, u"ctrl+a"_s);
    type(*settings, u"C:\\Programas\\Gestao\\ger.exe /a \"b c\""_s);
    desktop.key(*settings, u"Return"_s);
    ASSERT_TRUE(waitUntilGone(kSettingsCaption)) << "Enter did not save and close";

    QFile written(menu.filePath(u"configuracoes.ini"_s));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), fixture("settings_saved.ini"));
}

TEST_F(SettingsOnDesktop, EscapeWithoutAFileLeavesNoFileAndTheMenuWarnsAgain)
{
    menu.start();
    const auto startWarning = waitForWindowTitled(kWarningCaption);
    ASSERT_TRUE(startWarning) << "no warning about the missing configuration";
    desktop.key(*startWarning, u"Return"_s);
    const auto window = menu.waitForOneMenuWindow();
    ASSERT_TRUE(window);

    const auto settings = openSettings(*window);
    ASSERT_TRUE(settings);
    desktop.key(*settings, u"Escape"_s);
    const auto again = waitForWindowTitled(kWarningCaption);
    EXPECT_TRUE(again) << "closing the settings window makes the menu load again, and warn";
    EXPECT_FALSE(QFileInfo::exists(menu.filePath(u"configuracoes.ini"_s)));
    if (again)
        desktop.key(*again, u"Return"_s);
    EXPECT_TRUE(waitUntilGone(kSettingsCaption));
    EXPECT_TRUE(desktop.visibleWindowsTitled(kPasswordCaption).isEmpty());
}

TEST_F(SettingsOnDesktop, BothDialogsCentreTheirFrameOnTheScreenAndKeepItInsideTheMenu)
{
    menu.writeConfiguration({{u"Modulo Gerencial"_s, {}}});
    menu.start();
    const auto window = menu.waitForOneMenuWindow();
    ASSERT_TRUE(window);
    const QPoint centre = desktop.geometry(*window).center(); // the menu is first centred on the screen too

    desktop.key(*window, u"F12"_s);
    const auto dialog = waitForWindowTitled(kPasswordCaption);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(waitUntil([&] { return desktop.frameGeometry(*dialog).center() == centre; }))
        << "the password dialog's frame is not centred";
    // The keep-inside rule works on the frame too.
    desktop.run(u"xdotool"_s, {u"windowmove"_s, u"--sync"_s, QString::number(*dialog), u"10"_s, u"10"_s});
    const QPoint inside = desktop.geometry(*window).topLeft() + QPoint(3, 22);
    EXPECT_TRUE(waitUntil([&] { return desktop.frameGeometry(*dialog).topLeft() == inside; }))
        << "the password dialog's frame was not pulled inside the menu";

    type(*dialog, u"tbx7341"_s);
    desktop.key(*dialog, u"Return"_s);
    const auto settings = waitForWindowTitled(kSettingsCaption);
    ASSERT_TRUE(settings);
    EXPECT_TRUE(waitUntil([&] { return desktop.frameGeometry(*settings).center() == centre; }))
        << "the settings window's frame is not centred";
}

// The dialogs under each window manager they are tried with.
class DialogsOnWindowManager : public SettingsOnDesktop, public testing::WithParamInterface<const char *>
{
protected:
    QString windowManager() const override { return QString::fromLatin1(GetParam()); }
};

// Both dialogs are the menu's own (the window manager keeps them with it, not
// with a hidden leader window), and the menu asks for no attention meanwhile.
TEST_P(DialogsOnWindowManager, BothDialogsBelongToTheMenuWhichAsksForNoAttention)
{
    menu.writeConfiguration({{u"Modulo Gerencial"_s, {}}});
    menu.start();
    const auto window = menu.waitForOneMenuWindow();
    ASSERT_TRUE(window);

    desktop.key(*window, u"F12"_s);
    const auto dialog = waitForWindowTitled(kPasswordCaption);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(desktop.transientFor(*dialog), window);
    type(*dialog, u"tbx7341"_s);
    desktop.key(*dialog, u"Return"_s);
    const auto settings = waitForWindowTitled(kSettingsCaption);
    ASSERT_TRUE(settings);
    EXPECT_EQ(desktop.transientFor(*settings), window);
    EXPECT_FALSE(waitUntil([&] { return desktop.hasState(*window, "_NET_WM_STATE_DEMANDS_ATTENTION"); }, 1s))
        << "the menu asks for attention while its settings window is open";
}

INSTANTIATE_TEST_SUITE_P(, DialogsOnWindowManager, testing::Values("openbox", "xfwm4"));

} // namespace
