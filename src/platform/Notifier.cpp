#include "platform/Notifier.h"

#include <QMessageBox>

namespace menugeral {

QString escapedErrorText(const QString &text)
{
    // The application's standard error box ends the text with a full stop
    // unless it already ends in one or in a character at or below it.
    if (!text.isEmpty() && text.back().unicode() > u'.')
        return text + u'.';
    return text;
}

void showEscapedError(Notifier &notifier, const QString &text)
{
    notifier.error(kApplicationTitle.toString(), escapedErrorText(text));
}

} // namespace menugeral

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
