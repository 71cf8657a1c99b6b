#include "harness/MenuFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcessEnvironment>

namespace menugeral::e2e {
using namespace Qt::StringLiterals;
namespace {

// The tests lie in the build's tests/, the program and its deployment in bin/.
QString buildDirectory(const QString &name)
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + u"/../"_s + name);
}

bool copyTree(const QString &from, const QString &to)
{
    QDirIterator files(from, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString source = files.next();
        const QString target = to + u'/' + QDir(from).relativeFilePath(source);
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!QFile::copy(source, target))
            return false;
    }
    return true;
}

} // namespace

MenuFolder::MenuFolder() = default;

MenuFolder::~MenuFolder()
{
    for (const auto &process : m_processes) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(5000);
        }
    }
}

std::optional<QString> MenuFolder::install()
{
    const QString bin = buildDirectory(u"bin"_s);
    if (!QFileInfo::exists(bin + u"/menugeral.exe"_s))
        return u"no menugeral.exe in "_s + bin;
    if (!QFileInfo::exists(bin + u"/platforms/qwindows.dll"_s))
        return u"Qt is not deployed beside "_s + bin + u"/menugeral.exe"_s;
    QDir(bin).mkpath(m_directory.path());
    if (!copyTree(bin, m_directory.path()))
        return u"cannot copy "_s + bin;
    QFile::remove(filePath(u"configuracoes.ini"_s));
    return std::nullopt;
}

QString MenuFolder::filePath(const QString &name) const
{
    return m_directory.filePath(name);
}

QString MenuFolder::nativePath(const QString &name) const
{
    return QDir::toNativeSeparators(filePath(name));
}

QString MenuFolder::installProbe(const QString &folder, const QString &name) const
{
    const QString from = buildDirectory(u"tests"_s);
    const QString to = filePath(folder);
    QDir().mkpath(to);
    for (const QString &library :
         {u"Qt6Core.dll"_s, u"libstdc++-6.dll"_s, u"libgcc_s_seh-1.dll"_s, u"libwinpthread-1.dll"_s})
        QFile::copy(from + u'/' + library, to + u'/' + library);
    QFile::copy(from + u"/menugeral-probe.exe"_s, to + u'/' + name);
    return QDir::toNativeSeparators(to + u'/' + name);
}

QString MenuFolder::probeLog() const
{
    return m_directory.filePath(u"probe.log"_s);
}

QList<QJsonObject> MenuFolder::probeRecords() const
{
    QList<QJsonObject> records;
    QFile file(probeLog());
    if (!file.open(QIODevice::ReadOnly))
        return records;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (!line.isEmpty())
            records.append(QJsonDocument::fromJson(line).object());
    }
    return records;
}

void MenuFolder::writeConfiguration(const QByteArray &bytes) const
{
    m_directory.writeFile(u"configuracoes.ini"_s, bytes);
}

QByteArray MenuFolder::configuration() const
{
    return m_directory.readFile(u"configuracoes.ini"_s);
}

QProcess &MenuFolder::start()
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"MENUGERAL_PROBE_LOG"_s, QDir::toNativeSeparators(probeLog()));
    // The menu chooses the windows plugin itself, as on a desk.
    environment.remove(u"QT_QPA_PLATFORM"_s);
    environment.remove(u"QT_PLUGIN_PATH"_s);
    process->setProcessEnvironment(environment);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(filePath(u"menugeral.exe"_s), {});
    m_processes.push_back(std::move(process));
    return *m_processes.back();
}

std::optional<HWND> MenuFolder::waitForMenuWindow(const QProcess &menu) const
{
    HWND found = nullptr;
    const DWORD processId = DWORD(menu.processId());
    waitUntil(
        [&] {
            const QList<HWND> windows = visibleWindowsOf(processId, kMenuTitle);
            found = windows.size() == 1 ? windows.first() : nullptr;
            return found != nullptr;
        },
        60s);
    if (!found)
        return std::nullopt;
    return found;
}

} // namespace menugeral::e2e
