#include "harness/MenuCopy.h"

#include "core/Windows1252.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <iostream>

namespace menugeral::e2e {
using namespace Qt::StringLiterals;

std::optional<QString> copyProgram(const QString &folder)
{
    // MENUGERAL_PROGRAM names another build of the menu to test, an installed one say.
    const QString file = qEnvironmentVariable("MENUGERAL_PROGRAM", QStringLiteral(MENUGERAL_BIN_DIR "/menugeral"));
    if (!QFile::copy(file, folder + u"/menugeral"_s))
        return u"cannot copy "_s + file;
    return std::nullopt;
}

MenuCopy::MenuCopy(const Desktop &desktop) : m_desktop(desktop)
{}

MenuCopy::~MenuCopy()
{
    for (const auto &process : m_processes) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(2000);
        }
    }
}

std::optional<QString> MenuCopy::install()
{
    return copyProgram(directory());
}

QString MenuCopy::directory() const
{
    return m_directory.path();
}

QString MenuCopy::filePath(const QString &name) const
{
    return m_directory.filePath(name);
}

std::optional<QString> MenuCopy::installProbe(const QString &directory) const
{
    const QString probe = directory + u"/menugeral-probe"_s;
    if (!QDir().mkpath(directory) ||
        !QFile::copy(QStringLiteral(MENUGERAL_TEST_BIN_DIR) + u"/menugeral-probe"_s, probe))
        return std::nullopt;
    return probe;
}

QString MenuCopy::probeLog() const
{
    return filePath(u"probe.log"_s);
}

QProcessEnvironment MenuCopy::probeEnvironment() const
{
    QProcessEnvironment environment;
    environment.insert(u"MENUGERAL_PROBE_LOG"_s, probeLog());
    return environment;
}

void MenuCopy::writeConfiguration(const std::vector<std::pair<QString, QString>> &keysOfSection, const QString &section)
{
    QString text = u'[' + section + u"]\r\n"_s;
    for (const auto &[key, value] : keysOfSection)
        text += key + u'=' + value + u"\r\n"_s;
    const auto bytes = Windows1252::encode(text);
    ASSERT_TRUE(bytes) << "not Windows-1252: " << qPrintable(text);
    m_directory.writeFile(u"configuracoes.ini"_s, *bytes);
}

QProcess &MenuCopy::start(const QProcessEnvironment &extra, Errors errors, const QStringList &unset)
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = m_desktop.environment();
    environment.insert(extra);
    for (const QString &name : unset)
        environment.remove(name);
    process->setProcessEnvironment(environment);
    process->setWorkingDirectory(QDir::rootPath());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setProcessChannelMode(errors == Errors::Kept ? QProcess::SeparateChannels
                                                          : QProcess::ForwardedErrorChannel);
    process->start(filePath(u"menugeral"_s), {});
    m_processes.push_back(std::move(process));
    return *m_processes.back();
}

QList<quint64> MenuCopy::menuWindows() const
{
    QList<quint64> windows;
    for (const quint64 window : m_desktop.managedWindowsOfClass(kMenuClass)) {
        const QByteArray transientFor =
            m_desktop.run(u"xprop"_s, {u"-id"_s, windowIdText(window), u"WM_TRANSIENT_FOR"_s}).output;
        if (!transientFor.contains("window id"))
            windows << window;
    }
    return windows;
}

std::optional<quint64> MenuCopy::waitForOneMenuWindow(std::chrono::milliseconds timeout) const
{
    QList<quint64> windows;
    waitUntil(
        [&] {
            windows = menuWindows();
            return windows.size() == 1 && m_desktop.isViewable(windows.first());
        },
        timeout);
    if (windows.size() != 1)
        return std::nullopt;
    return windows.first();
}

int MenuCopy::runningCount() const
{
    QCoreApplication::processEvents();
    return static_cast<int>(std::count_if(m_processes.begin(), m_processes.end(), [](const auto &process) {
        return process->state() != QProcess::NotRunning;
    }));
}

QStringList MenuCopy::endings() const
{
    QCoreApplication::processEvents();
    QStringList endings;
    for (std::size_t index = 0; index < m_processes.size(); ++index) {
        if (m_processes[index]->state() == QProcess::NotRunning)
            endings << u"menu "_s + QString::number(index + 1) + u" ended: "_s + endOf(*m_processes[index]);
    }
    return endings;
}

void MenuOnDesktopTest::TearDown()
{
    if (!HasFailure())
        return;
    const QStringList report = desktop.troubles() + menu.endings();
    std::cout << "at the failure: "
              << qPrintable(report.isEmpty() ? u"desktop and menus still running"_s : report.join(u"; "_s)) << '\n';
}

void MenuOnDesktopTest::SetUp()
{
    if (const QStringList missing = Desktop::missingTools(); !missing.isEmpty())
        GTEST_SKIP() << "the desktop tests need " << qPrintable(missing.join(u", "_s)) << ", which is not installed";
    if (!Desktop::hasWindowManager(windowManager()))
        GTEST_SKIP() << qPrintable(windowManager()) << " is not installed";
    if (const auto why = desktop.start(windowManager()))
        FAIL() << qPrintable(*why);
    if (const auto why = menu.install())
        FAIL() << qPrintable(*why);
}

} // namespace menugeral::e2e
