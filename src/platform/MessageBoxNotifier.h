#pragma once

#include "platform/Notifier.h"

namespace menugeral {

// Real modal message boxes, owned by the application.
class MessageBoxNotifier final : public Notifier
{
public:
    void warning(const QString &text) override;
    void error(const QString &caption, const QString &text) override;
};

} // namespace menugeral
