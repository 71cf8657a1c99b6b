#include "latency/Spawn.h"

#include <QFile>

#include <spawn.h>
#include <sys/wait.h>

namespace menugeral::bench {

Spawned::Spawned(const QString &program, const QStringList &arguments, const std::vector<QByteArray> &environment)
{
    const QByteArray file = QFile::encodeName(program);
    std::vector<QByteArray> argumentBytes{file};
    for (const QString &argument : arguments)
        argumentBytes.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &argument : argumentBytes)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<QByteArray> environmentCopy = environment;
    std::vector<char *> envp;
    for (QByteArray &entry : environmentCopy)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    if (posix_spawn(&m_pid, file.constData(), nullptr, nullptr, argv.data(), envp.data()) != 0)
        m_pid = -1;
}

Spawned::~Spawned()
{
    wait();
}

int Spawned::wait()
{
    if (m_pid <= 0)
        return -1;
    int status = 0;
    const pid_t ended = waitpid(m_pid, &status, 0);
    m_pid = -1;
    return ended > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace menugeral::bench
