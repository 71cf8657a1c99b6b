#pragma once

#include <QByteArray>
#include <QList>

namespace menugeral::fuzz {

// Records the names handed to the file system's look-up calls (stat, lstat,
// statx, access, faccessat, realpath) while it lives, from any code in the
// process, Qt's included: the calls are intercepted by name. One at a time.
class FileAccessLog
{
public:
    FileAccessLog();
    ~FileAccessLog();
    FileAccessLog(const FileAccessLog &) = delete;
    FileAccessLog &operator=(const FileAccessLog &) = delete;

    const QList<QByteArray> &names() const { return m_names; }

private:
    QList<QByteArray> m_names;
};

} // namespace menugeral::fuzz
