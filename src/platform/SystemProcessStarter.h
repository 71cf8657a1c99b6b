#pragma once

#include "platform/ProcessStarter.h"

#include <QByteArrayList>

#include <optional>

namespace menugeral {

class Notifier;

// Starts real processes. A start that the system refuses is reported in a box
// of the platform layer's own: caption the program's file name, text the
// system's reason. Modules get `environment` ("NAME=value" entries) where it is
// given, and this process's environment at the time of the start where not.
class SystemProcessStarter final : public ProcessStarter
{
public:
    explicit SystemProcessStarter(Notifier &notifier, std::optional<QByteArrayList> environment = std::nullopt);

    void startProgram(const LaunchRequest &request) override;
    void runCommandLine(const CommandLineRequest &request) override;

private:
    Notifier &m_notifier;
    std::optional<QByteArrayList> m_environment;
};

} // namespace menugeral
