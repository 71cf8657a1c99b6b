#pragma once

#include <QByteArray>

namespace menugeral {

// Ends the start-up sequence `startupId` names (a launcher's busy cursor or
// task-bar entry), as the program it started would once its window shows:
// the freedesktop.org start-up notification's "remove" message, broadcast on
// the root window. Nothing without an X11 connection or an id.
void completeStartupSequence(const QByteArray &startupId);

// The message's text: values with blanks, quotes or backslashes escaped.
QByteArray startupRemoveMessage(const QByteArray &startupId);

} // namespace menugeral
