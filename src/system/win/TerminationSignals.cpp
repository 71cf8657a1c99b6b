#include "system/TerminationSignals.h"

namespace menugeral {

// Windows ends a windowed program through its windows' close messages, which
// Qt turns into close events already.
class TerminationSignals::Private
{};

TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent)
{}

TerminationSignals::~TerminationSignals() = default;

} // namespace menugeral
