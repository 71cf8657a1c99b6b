#include "platform/FileChooser.h"

#include <QDir>
#include <QFileDialog>

namespace menugeral {

std::optional<QString> DialogFileChooser::chooseFile(QWidget *parent, const QString &initialFileName)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile); // the chosen file need not exist
    dialog.setSizeGripEnabled(true);
    if (!initialFileName.isEmpty())
        dialog.selectFile(initialFileName);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(chosen.first());
}

} // namespace menugeral
