#include "platform/SystemProcessStarter.h"

// Placeholder until the POSIX starter lands.
namespace menugeral {

SystemProcessStarter::SystemProcessStarter(Notifier &notifier) : m_notifier(notifier) {}

void SystemProcessStarter::startProgram(const LaunchRequest &) {}

void SystemProcessStarter::runCommandLine(const QString &) {}

} // namespace menugeral
