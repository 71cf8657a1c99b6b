// menugeral-probe: a stand-in for a module program in tests.
//
// Each run appends one line to the file named by the environment variable
// MENUGERAL_PROBE_LOG: a compact JSON object followed by "\n",
//   {"program":"/abs/path/of/this/executable","cwd":"/working/directory",
//    "args":["first","second"],"pid":1234,"ppid":1}
// "program" is this executable's absolute name with symbolic links resolved,
// "cwd" the working directory it was started in, "args" the arguments after
// the program name exactly as received, "ppid" (POSIX only) its parent, and
// "fds" (Linux only) every descriptor above 2 that it was started with, as
// "number -> what it refers to" (/proc/self/fd, read before anything opens). The
// line is written with one append, so several probes may share one log.
// With MENUGERAL_PROBE_STAY_MS set to a number, the probe then stays running
// that many milliseconds. It exits 0, or 1 when the log cannot be written
// (2 when MENUGERAL_PROBE_LOG is not set).
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

#include <cstdlib>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <dirent.h>
#endif

using namespace Qt::StringLiterals;

namespace {

// The descriptors above standard error that the process was started with.
QStringList inheritedDescriptors()
{
    QStringList descriptors;
#ifdef Q_OS_LINUX
    DIR *listing = ::opendir("/proc/self/fd");
    if (!listing)
        return {u"cannot list /proc/self/fd"_s};
    while (const dirent *entry = ::readdir(listing)) {
        const int fd = ::atoi(entry->d_name);
        if (entry->d_name[0] == '.' || fd <= 2 || fd == ::dirfd(listing))
            continue;
        char target[4096] = {};
        const QByteArray link = QByteArray("/proc/self/fd/") + entry->d_name;
        const ssize_t length = ::readlink(link.constData(), target, sizeof target - 1);
        descriptors.append(QString::number(fd) + u" -> "_s +
                           QString::fromLocal8Bit(target, length < 0 ? 0 : qsizetype(length)));
    }
    ::closedir(listing);
#endif
    return descriptors;
}

} // namespace

int main(int argc, char **argv)
{
    const QStringList descriptors = inheritedDescriptors();
    QCoreApplication app(argc, argv);
    const QString logName = qEnvironmentVariable("MENUGERAL_PROBE_LOG");
    if (logName.isEmpty())
        return 2;

    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    QJsonObject record{
        {u"program"_s, QCoreApplication::applicationFilePath()},
        {u"cwd"_s, QDir::currentPath()},
        {u"args"_s, QJsonArray::fromStringList(arguments)},
        {u"pid"_s, QCoreApplication::applicationPid()},
    };
#ifdef Q_OS_UNIX
    record.insert(u"ppid"_s, qint64(getppid()));
#endif
#ifdef Q_OS_LINUX
    record.insert(u"fds"_s, QJsonArray::fromStringList(descriptors));
#endif

    QFile log(logName);
    const QByteArray line = QJsonDocument(record).toJson(QJsonDocument::Compact) + '\n';
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append) || log.write(line) != line.size())
        return 1;
    log.close();

    const int stayMs = qEnvironmentVariableIntValue("MENUGERAL_PROBE_STAY_MS");
    if (stayMs > 0)
        QThread::msleep(static_cast<unsigned long>(stayMs));
    return 0;
}
