#pragma once

#include <QString>

#include <memory>

namespace menugeral {

// Serialises the read-change-save of one file between processes: whoever holds
// it reads, changes and replaces the file before anyone else reads it. Taken
// when constructed, waiting a while for another holder; released when
// destroyed, or by the system when the process ends, however it ends.
class FileUpdateLock
{
public:
    explicit FileUpdateLock(const QString &fileName);
    ~FileUpdateLock();
    FileUpdateLock(const FileUpdateLock &) = delete;
    FileUpdateLock &operator=(const FileUpdateLock &) = delete;

    bool isLocked() const;
    // Why it is not held, in the system's words where it gave some.
    const QString &errorString() const;

private:
    class Private;
    std::unique_ptr<Private> d;
};

} // namespace menugeral
