#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace menugeral::test {

TempDir::TempDir()
{
    m_dir.setAutoRemove(true);
}

QString TempDir::path() const
{
    return m_dir.path();
}

QString TempDir::filePath(const QString &name) const
{
    return m_dir.filePath(name);
}

QString TempDir::writeFile(const QString &name, const QByteArray &bytes) const
{
    const QString full = filePath(name);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write test file %s", qPrintable(full));
    return full;
}

QByteArray TempDir::readFile(const QString &name) const
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace menugeral::test
