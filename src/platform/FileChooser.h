#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace menugeral {

// The file-open dialog: all files listed, no title or folder of its own, the
// read-only box hidden, resizable; the chosen file need not exist.
class FileChooser
{
public:
    virtual ~FileChooser() = default;

    // Shows the dialog starting at initialFileName (empty: the platform's
    // default folder). Returns the chosen full file name, nothing when cancelled.
    virtual std::optional<QString> chooseFile(QWidget *parent, const QString &initialFileName) = 0;
};

// The platform's file-open dialog.
class DialogFileChooser final : public FileChooser
{
public:
    std::optional<QString> chooseFile(QWidget *parent, const QString &initialFileName) override;
};

} // namespace menugeral
