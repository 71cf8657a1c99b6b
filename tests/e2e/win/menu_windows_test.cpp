// The real menugeral.exe with the windows platform plugin, driven as a user
// would: clicks and keys through SendInput, windows found by the system's own
// calls. One menu serves the tests of a suite, in the order written.
#include "harness/MenuFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Qt::StringLiterals;
using namespace menugeral::e2e;

namespace {

// Tile centres in the menu: the modules panel lies at 21, 109 of the window.
constexpr QPoint kGerencial{21 + 28 + 161 / 2, 109 + 72 + 80 / 2};
constexpr QPoint kCooper{21 + 188 + 161 / 2, 109 + 72 + 80 / 2};
constexpr QPoint kIndustrial{21 + 28 + 161 / 2, 109 + 151 + 80 / 2};
constexpr QPoint kCaixa{21 + 188 + 80 / 2, 109 + 230 + 80 / 2};

const QString kPasswordCaption = u"Autoriza\u00e7\u00e3o para acesso"_s;
const QString kSettingsCaption = u"Configura\u00e7\u00f5es"_s;

QByteArray fixture(const char *name)
{
    QFile file(QCoreApplication::applicationDirPath() + u"/data/"_s + QLatin1StringView(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class MenuUnderWindows : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_folder = new MenuFolder;
        if (const auto problem = s_folder->install()) {
            s_problem = *problem;
            return;
        }
        s_probe = s_folder->installProbe(u"modulos"_s, u"probe.exe"_s);
        s_mstsc = s_folder->installProbe(u"area remota"_s, u"mstsc.exe"_s);
        const QByteArray configuration = "[GestaoEmpresarial]\r\n"
                                         "Modulo Gerencial=" +
                                         s_probe.toLatin1() +
                                         " /loja 3 \"Caixa 2\"\r\n"
                                         "Modulo Caixa=" +
                                         s_mstsc.toLatin1() +
                                         " /v:server01 /admin\r\n"
                                         "Modulo Cooper=\r\n"
                                         "Modulo Industrial=C:\\nao\\existe\\industrial.exe\r\n";
        s_folder->writeConfiguration(configuration);
        s_menu = &s_folder->start();
        if (const auto window = s_folder->waitForMenuWindow(*s_menu))
            s_window = *window;
        else
            s_problem = u"the menu never came on screen"_s;
    }
    static void TearDownTestSuite()
    {
        delete s_folder;
        s_folder = nullptr;
    }
    void SetUp() override
    {
        if (!s_problem.isEmpty())
            GTEST_FAIL() << s_problem.toStdString();
    }

    static QList<QJsonObject> waitForProbeRecords(qsizetype count)
    {
        QList<QJsonObject> records;
        waitUntil([&] { return (records = s_folder->probeRecords()).size() >= count; }, 30s);
        return records;
    }

    // The box with the warning caption that the click brings up: its text,
    // copied with Ctrl+C as a user could; the box is then closed with Enter.
    static QString warningAfterClickOn(QPoint tile)
    {
        click(s_window, tile);
        HWND box = nullptr;
        if (!waitUntil([&] {
                const QList<HWND> boxes = visibleWindowsOf(DWORD(s_menu->processId()), kWarningCaption);
                box = boxes.size() == 1 ? boxes.first() : nullptr;
                return box != nullptr;
            }))
            return u"(no box)"_s;
        clearClipboard();
        pressKey(box, 'C', true);
        QString text;
        waitUntil([&] { return !(text = clipboardText()).isEmpty(); }, 5s);
        text.replace(u"\r\n"_s, u"\n"_s); // the clipboard's own line ends
        pressKey(box, VK_RETURN);
        EXPECT_TRUE(waitUntil([box] { return !IsWindowVisible(box); })) << "Enter did not close the box";
        return text;
    }

    static inline MenuFolder *s_folder = nullptr;
    static inline QProcess *s_menu = nullptr;
    static inline HWND s_window = nullptr;
    static inline QString s_problem;
    static inline QString s_probe;
    static inline QString s_mstsc;
};

TEST_F(MenuUnderWindows, TheMainWindowIsFoundByItsClass)
{
    const HWND found = FindWindowW(reinterpret_cast<LPCWSTR>(kMenuWindowClass.utf16()), nullptr);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(processOf(found), DWORD(s_menu->processId()));
}

TEST_F(MenuUnderWindows, ATileStartsItsProgramThroughTheShellInItsFolder)
{
    click(s_window, kGerencial);
    const QList<QJsonObject> records = waitForProbeRecords(1);
    ASSERT_EQ(records.size(), 1);
    const QJsonObject &run = records.first();
    EXPECT_EQ(QDir::toNativeSeparators(run.value(u"program"_s).toString()), s_probe);
    EXPECT_EQ(QDir::toNativeSeparators(run.value(u"cwd"_s).toString()),
              QDir::toNativeSeparators(QFileInfo(s_probe).path()));
    EXPECT_EQ(run.value(u"args"_s).toArray().toVariantList(), (QVariantList{u"/loja"_s, u"3"_s, u"Caixa 2"_s}));
    EXPECT_TRUE(run.value(u"commandLine"_s).toString().endsWith(u" /loja 3 \"Caixa 2\""_s))
        << run.value(u"commandLine"_s).toString().toStdString();
}

TEST_F(MenuUnderWindows, EmptyAndInvalidPathsGiveTheirWarnings)
{
    // Ctrl+C in a message box copies its caption, its text and its buttons,
    // each part closed by a line of dashes.
    const QString line = u"---------------------------\n"_s;
    const auto copied = [&](const QString &text) -> QString {
        return line + kWarningCaption + u'\n' + line + text + u'\n' + line;
    };
    const QString empty = warningAfterClickOn(kCooper);
    EXPECT_TRUE(empty.startsWith(copied(u"Sistema n\u00e3o dispon\u00edvel para utiliza\u00e7\u00e3o,\n"
                                        u"fa\u00e7a contato com o nosso departamento comercial."_s)))
        << empty.toStdString();
    const QString invalid = warningAfterClickOn(kIndustrial);
    EXPECT_TRUE(invalid.startsWith(copied(u"Caminho inv\u00e1lido para acesso ao sistema,\n"
                                          u"fa\u00e7a contato com o nosso suporte t\u00e9cnico."_s)))
        << invalid.toStdString();
}

// The program the check finds, in a folder whose name holds a blank, is the
// one run, with the rest of the text as written.
TEST_F(MenuUnderWindows, CaixaWithMstscRunsTheWholeTextAsACommandLine)
{
    const qsizetype before = s_folder->probeRecords().size();
    click(s_window, kCaixa);
    const QList<QJsonObject> records = waitForProbeRecords(before + 1);
    ASSERT_EQ(records.size(), before + 1);
    const QJsonObject &run = records.last();
    EXPECT_EQ(QDir::toNativeSeparators(run.value(u"program"_s).toString()), s_mstsc);
    EXPECT_EQ(run.value(u"commandLine"_s).toString(), u"\""_s + s_mstsc + u"\" /v:server01 /admin"_s);
    EXPECT_EQ(run.value(u"args"_s).toArray(), (QJsonArray{u"/v:server01"_s, u"/admin"_s}));
}

TEST_F(MenuUnderWindows, ASecondStartRestoresAndRaisesTheMenuAndEnds)
{
    ShowWindow(s_window, SW_MINIMIZE);
    ASSERT_TRUE(waitUntil([] { return IsIconic(s_window) != FALSE; })) << "the menu did not minimise";

    QProcess &second = s_folder->start();
    ASSERT_TRUE(waitUntil([&] { return second.state() == QProcess::NotRunning; }, 60s)) << "the second start stayed";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(waitUntil([] { return !IsIconic(s_window) && IsWindowVisible(s_window); })) << "still minimised";
    EXPECT_TRUE(waitUntil([] { return GetForegroundWindow() == s_window; }))
        << "in front: " << titleOf(GetForegroundWindow()).toStdString();
    EXPECT_EQ(s_menu->state(), QProcess::Running);
}

// What any program does that looks for the menu by its class: the window it
// finds stays hidden, and the menu itself comes back and to the front.
TEST_F(MenuUnderWindows, ShowingTheWindowOfItsClassBringsTheMenuBack)
{
    ShowWindow(s_window, SW_MINIMIZE);
    ASSERT_TRUE(waitUntil([] { return IsIconic(s_window) != FALSE; })) << "the menu did not minimise";

    const HWND found = FindWindowW(reinterpret_cast<LPCWSTR>(kMenuWindowClass.utf16()), nullptr);
    ASSERT_NE(found, nullptr);
    if (!IsWindowVisible(found) || IsIconic(found))
        ShowWindow(found, SW_SHOWNORMAL);
    SetForegroundWindow(found);
    EXPECT_TRUE(waitUntil([] { return !IsIconic(s_window) && GetForegroundWindow() == s_window; }))
        << "in front: " << titleOf(GetForegroundWindow()).toStdString();
    if (found != s_window) {
        EXPECT_FALSE(IsWindowVisible(found)) << "the stand-in showed itself";
    }
}

TEST_F(MenuUnderWindows, F12ThePasswordAndSalvarWriteTheFileAsEverywhere)
{
    // The settings window reads the file when it opens.
    s_folder->writeConfiguration(fixture("settings_before.ini"));
    pressKey(s_window, VK_F12);
    const DWORD menu = DWORD(s_menu->processId());
    HWND dialog = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        const QList<HWND> found = visibleWindowsOf(menu, kPasswordCaption);
        return (dialog = found.value(0)) != nullptr;
    })) << "F12 showed no password dialog";
    typeText(dialog, u"tbx7341"_s);
    pressKey(dialog, VK_RETURN);
    HWND settings = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        const QList<HWND> found = visibleWindowsOf(menu, kSettingsCaption);
        return (settings = found.value(0)) != nullptr;
    })) << "the password opened no settings window";

    // The window opens on "&Salvar"; "&Cancelar" and then the "Gerencial" field follow.
    pressKey(settings, VK_TAB);
    pressKey(settings, VK_TAB);
    pressKey(settings, 'A', true);
    typeText(settings, u"C:\\Programas\\Gestao\\ger.exe /a \"b c\""_s);
    pressKey(settings, VK_RETURN); // Enter in a field saves
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(settings) || !IsWindowVisible(settings); }))
        << "Enter did not save and close";
    EXPECT_EQ(s_folder->configuration(), fixture("settings_saved.ini"));
}

// Another program's window of the menu's class counts as a running menu.
TEST(ForeignWindowOfTheMenusClass, IsShownAndBroughtToTheFrontInstead)
{
    MenuFolder folder;
    const auto problem = folder.install();
    ASSERT_FALSE(problem) << problem->toStdString();
    const auto className = reinterpret_cast<LPCWSTR>(kMenuWindowClass.utf16());
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    ASSERT_NE(RegisterClassExW(&windowClass), 0);
    const HWND foreign = CreateWindowExW(0, className, L"foreign", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr,
                                         nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(foreign, nullptr);
    ASSERT_FALSE(IsWindowVisible(foreign));

    QProcess &menu = folder.start();
    ASSERT_TRUE(waitUntil([&] { return menu.state() == QProcess::NotRunning; }, 60s)) << "the menu stayed";
    EXPECT_EQ(menu.exitCode(), 0);
    EXPECT_TRUE(IsWindowVisible(foreign)) << "the foreign window was not shown";
    EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() == foreign; })) << "nor brought to the front";
    DestroyWindow(foreign);
    UnregisterClassW(className, windowClass.hInstance);
}

// What Windows shows of the program file itself: its icon, its version, and
// the manifest that makes it DPI-aware, themed and run as its invoker.
TEST(TheProgramFile, CarriesItsIconVersionAndManifest)
{
    const std::wstring program =
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + u"/../bin/menugeral.exe"_s).toStdWString();
    const HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14)), nullptr) << "no icon"; // RT_GROUP_ICON
    const HRSRC manifestResource = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));   // RT_MANIFEST
    ASSERT_NE(manifestResource, nullptr) << "no manifest";
    const QByteArray manifest(static_cast<const char *>(LockResource(LoadResource(module, manifestResource))),
                              qsizetype(SizeofResource(module, manifestResource)));
    for (const char *part : {"PerMonitorV2", "Microsoft.Windows.Common-Controls", "level=\"asInvoker\""})
        EXPECT_TRUE(manifest.contains(part)) << part;
    FreeLibrary(module);

    DWORD ignored = 0;
    std::vector<char> version(GetFileVersionInfoSizeW(program.c_str(), &ignored));
    ASSERT_FALSE(version.empty());
    ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, DWORD(version.size()), version.data()));
    wchar_t *text = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(version.data(), L"\\StringFileInfo\\041604B0\\ProductVersion",
                               reinterpret_cast<void **>(&text), &length));
    EXPECT_EQ(QString::fromWCharArray(text), QStringLiteral(MENUGERAL_VERSION));
}

} // namespace
