#include "platform/Notifier.h"

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
