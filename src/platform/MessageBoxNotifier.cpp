#include "platform/MessageBoxNotifier.h"

#include <QMessageBox>

namespace menugeral {
using namespace Qt::StringLiterals;
namespace {

void showBox(QMessageBox::Icon icon, const QString &caption, const QString &text)
{
    // "\r" alone breaks a line in the program's texts; a label needs "\n".
    QString shown = text;
    shown.replace(u"\r\n"_s, u"\n"_s);
    shown.replace(u'\r', u'\n');
    QMessageBox box(icon, caption, shown, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace

void MessageBoxNotifier::warning(const QString &text)
{
    showBox(QMessageBox::Warning, kWarningCaption.toString(), text);
}

void MessageBoxNotifier::error(const QString &caption, const QString &text)
{
    showBox(QMessageBox::Critical, caption, text);
}

} // namespace menugeral
