#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>

#include <cerrno>
#include <csignal>

namespace menugeral::test {

// Processes in state Z whose parent is `parent`, read from /proc.
inline QStringList zombiesOf(qint64 parent)
{
    QStringList zombies;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile file(QStringLiteral("/proc/") + entry + QStringLiteral("/stat"));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid ...": the name may hold blanks and parentheses.
        const QByteArray fields = file.readAll();
        const QList<QByteArray> rest = fields.mid(fields.lastIndexOf(')') + 2).split(' ');
        if (rest.size() > 1 && rest[0] == "Z" && rest[1].toLongLong() == parent)
            zombies.append(entry);
    }
    return zombies;
}

// Whether `pid` names a process, running or a zombie not yet collected. A child
// that ended only vanishes once its parent collects it, so waiting for this to
// turn false waits for both the end and the collection.
inline bool processExists(qint64 pid)
{
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

} // namespace menugeral::test
