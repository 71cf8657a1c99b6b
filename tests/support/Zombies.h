#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>

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

} // namespace menugeral::test
