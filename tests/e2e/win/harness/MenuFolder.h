#pragma once

#include "TempDir.h"
#include "harness/Desktop.h"

#include <QByteArray>
#include <QProcess>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace menugeral::e2e {

inline const QString kMenuWindowClass = QStringLiteral("TFrmMenuGeralNovo");
// The task switcher's title of the main window (its caption is not shown).
inline const QString kMenuTitle = QStringLiteral("Menu Geral");
inline const QString kWarningCaption = QStringLiteral("Menu Geral do Sistema");

// The menu as the installer lays it out: the built program with its Qt
// libraries and plugins, copied into a folder of its own (it keeps
// configuracoes.ini beside itself), started as often as a test needs.
class MenuFolder
{
public:
    MenuFolder();
    ~MenuFolder(); // ends every menu it started that still runs
    MenuFolder(const MenuFolder &) = delete;
    MenuFolder &operator=(const MenuFolder &) = delete;

    // Copies the built program; an explanation when it cannot.
    std::optional<QString> install();
    QString filePath(const QString &name) const;
    // The same in Windows's own form (C:\...\name).
    QString nativePath(const QString &name) const;

    // A copy of the probe named `name` in the folder `folder` of the menu's
    // folder, with the libraries it needs; its full name in Windows's form.
    QString installProbe(const QString &folder, const QString &name) const;
    // Where every started probe records its run (one JSON line each).
    QString probeLog() const;
    QList<QJsonObject> probeRecords() const;

    void writeConfiguration(const QByteArray &bytes) const;
    QByteArray configuration() const;

    // Starts one more menu; the probes it starts record into probeLog().
    QProcess &start();
    // The menu's main window, once the process shows it.
    std::optional<HWND> waitForMenuWindow(const QProcess &menu) const;

private:
    test::TempDir m_directory;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

} // namespace menugeral::e2e
