#pragma once

#include "system/GuardedFile.h"

#include <QByteArray>
#include <QString>

#include <utility>

namespace menugeral::posix {

// A file descriptor closed when it goes.
class UniqueFd
{
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_fd(fd) {}
    ~UniqueFd();
    UniqueFd(UniqueFd &&other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    UniqueFd &operator=(UniqueFd &&other) noexcept;
    UniqueFd(const UniqueFd &) = delete;
    UniqueFd &operator=(const UniqueFd &) = delete;

    int get() const { return m_fd; }
    bool isValid() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

// The system's words for an errno value.
QString systemReason(int error);

// The folder entry a file name stands for once the links that may be followed
// are followed: the folder held open, so that what is done there next cannot
// be redirected by renaming folders, and the entry's name in it.
struct TrustedEntry
{
    UniqueFd folder;
    QByteArray name;
    QString path;        // the entry's full name, for messages
    FileRefusal refusal; // kind None when the entry may be used
    int error = 0;       // errno when the folder could not be opened
};

TrustedEntry resolveTrustedEntry(const QString &fileName);

} // namespace menugeral::posix
