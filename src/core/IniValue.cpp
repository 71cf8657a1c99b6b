#include "core/IniValue.h"

#include "core/IniLine.h"

#include <algorithm>

namespace menugeral::ini {
using namespace Qt::StringLiterals;

QString valueAsRead(QStringView stored)
{
    QStringView value = trimBlanks(stored);
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    if (value.size() > kMaxValueLength) {
        // Never cut a surrogate pair in half.
        const bool splitsPair = value[kMaxValueLength - 1].isHighSurrogate();
        value = value.first(splitsPair ? kMaxValueLength - 1 : kMaxValueLength);
    }
    return value.toString();
}

bool isControlCharacter(char16_t c)
{
    return (c < 0x20 && c != u'\t') || (c >= 0x7f && c <= 0x9f);
}

ValueFault valueFault(QStringView value)
{
    if (std::ranges::any_of(value, [](QChar c) { return isControlCharacter(c.unicode()); }))
        return ValueFault::ControlCharacter;
    if (valueAsRead(value) != value)
        return ValueFault::ChangedOnRead;
    return ValueFault::None;
}

QString withVisibleControls(QStringView text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (c != u'\n' && (c == u'\t' || isControlCharacter(c.unicode())))
            shown += u"<U+"_s + QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0') + u'>';
        else
            shown += c;
    }
    return shown;
}

} // namespace menugeral::ini
