#include "platform/WindowClassMarker.h"

namespace menugeral {

// WM_CLASS comes from the application name (see ApplicationSetup).
class WindowClassMarker::Private
{};

WindowClassMarker::WindowClassMarker(QStringView, QObject *parent) : QObject(parent)
{}

WindowClassMarker::~WindowClassMarker() = default;

} // namespace menugeral
