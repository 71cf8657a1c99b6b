#pragma once

#include "platform/FileChooser.h"

namespace menugeral {

// The platform's file-open dialog.
class DialogFileChooser final : public FileChooser
{
public:
    std::optional<QString> chooseFile(QWidget *parent, const QString &initialFileName) override;
};

} // namespace menugeral
