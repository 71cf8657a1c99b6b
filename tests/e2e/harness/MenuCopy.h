#pragma once

#include "TempDir.h"
#include "harness/Desktop.h"

#include <QByteArray>
#include <QProcess>
#include <QString>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace menugeral::e2e {

inline const QByteArray kMenuClass = QByteArrayLiteral("TFrmMenuGeralNovo");
inline const QString kWarningCaption = QStringLiteral("Menu Geral do Sistema");

// Copies the program under test into `folder`: the one MENUGERAL_PROGRAM names,
// or the build's. An explanation when it cannot.
std::optional<QString> copyProgram(const QString &folder);

// The menu as an installer would lay it out: the real program copied into a
// directory of its own (the menu reads configuracoes.ini beside its own
// executable, symbolic links resolved), started as often as a test needs.
class MenuCopy
{
public:
    explicit MenuCopy(const Desktop &desktop);
    ~MenuCopy(); // kills every menu it started that still runs
    MenuCopy(const MenuCopy &) = delete;
    MenuCopy &operator=(const MenuCopy &) = delete;

    // Copies the program under test; an explanation when it cannot.
    std::optional<QString> install();
    QString directory() const;
    QString filePath(const QString &name) const;

    // Copies the probe program into `directory`, made if missing; its path, or
    // nothing when it cannot be copied.
    std::optional<QString> installProbe(const QString &directory) const;
    // Where a started probe records each run (one JSON line), and the
    // environment to start the menu with so that its modules do so.
    QString probeLog() const;
    QProcessEnvironment probeEnvironment() const;

    // configuracoes.ini from (section, key, value) entries, in Windows-1252 with CR LF.
    void writeConfiguration(const std::vector<std::pair<QString, QString>> &keysOfSection,
                            const QString &section = QStringLiteral("GestaoEmpresarial"));

    // Starts one more menu with the desktop's environment plus `extra`, less the
    // variables named in `unset`. Its standard error goes to the test's own, or
    // is kept for the test to read.
    enum class Errors
    {
        Forwarded,
        Kept,
    };
    QProcess &start(const QProcessEnvironment &extra = {}, Errors errors = Errors::Forwarded,
                    const QStringList &unset = {});

    // The menu's main windows on screen: managed, of the menu's class, not dialogs.
    QList<quint64> menuWindows() const;
    // Waits until exactly one main window is on screen and gives it.
    std::optional<quint64> waitForOneMenuWindow(std::chrono::milliseconds timeout = 10s) const;
    int runningCount() const;
    // How each menu started so far that has ended did so, for a test that failed.
    QStringList endings() const;

private:
    const Desktop &m_desktop;
    test::TempDir m_directory;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

// A test that needs a desktop and a copy of the menu; skipped, with the reason
// printed, where the X tools are missing.
class MenuOnDesktopTest : public testing::Test
{
protected:
    // The window manager the desktop runs; a test that needs one not
    // installed is skipped.
    virtual QString windowManager() const { return QStringLiteral("openbox"); }

    void SetUp() override;
    // After a failure, says what became of the desktop and of the menus.
    void TearDown() override;

    Desktop desktop;
    MenuCopy menu{desktop};
};

} // namespace menugeral::e2e
