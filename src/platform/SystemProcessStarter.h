#pragma once

#include "platform/ProcessStarter.h"

namespace menugeral {

class Notifier;

// Starts real processes. A start that the system refuses is reported in a box
// of the platform layer's own: caption the program's file name, text the
// system's reason.
class SystemProcessStarter final : public ProcessStarter
{
public:
    explicit SystemProcessStarter(Notifier &notifier);

    void startProgram(const LaunchRequest &request) override;
    void runCommandLine(const QString &commandLine) override;

private:
    Notifier &m_notifier;
};

} // namespace menugeral
