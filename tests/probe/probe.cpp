// menugeral-probe: a stand-in for a module program in tests.
//
// Each run appends one line to the file named by the environment variable
// MENUGERAL_PROBE_LOG: a compact JSON object followed by "\n",
//   {"program":"/abs/path/of/this/executable","cwd":"/working/directory",
//    "args":["first","second"],"pid":1234,"ppid":1}
// "program" is this executable's absolute name with symbolic links resolved,
// "cwd" the working directory it was started in, "args" the arguments after
// the program name exactly as received, "env" the environment it was given
// (name to value); what the system adds is in
// SystemFacts.h. The line is written with one append, so several probes may
// share one log.
// With MENUGERAL_PROBE_STAY_MS set to a number, the probe then stays running
// that many milliseconds. It exits 0, or 1 when the log cannot be written
// (2 when MENUGERAL_PROBE_LOG is not set).
#include "SystemFacts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcessEnvironment>
#include <QThread>

using namespace Qt::StringLiterals;

int main(int argc, char **argv)
{
    const QJsonObject facts = systemFacts();
    QJsonObject environment;
    const QProcessEnvironment given = QProcessEnvironment::systemEnvironment();
    for (const QString &name : given.keys())
        environment.insert(name, given.value(name));
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
        {u"env"_s, environment},
    };
    for (auto fact = facts.begin(); fact != facts.end(); ++fact)
        record.insert(fact.key(), fact.value());

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
