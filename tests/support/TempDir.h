#pragma once

#include "QtPrinters.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace menugeral::test {

// A real temporary directory for one test, with small helpers for its files.
class TempDir
{
public:
    TempDir();

    QString path() const; // without a trailing separator
    QString filePath(const QString &name) const;
    QString writeFile(const QString &name, const QByteArray &bytes) const; // returns the full name
    QByteArray readFile(const QString &name) const;

private:
    QTemporaryDir m_dir;
};

} // namespace menugeral::test
