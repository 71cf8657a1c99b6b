#include "core/DelimitedList.h"

#include <QString>

namespace menugeral {
namespace {

constexpr QChar kQuote = u'"';

bool isBlankOrControl(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= 32;
}

// Reads the quoted item that starts at text[pos] and leaves pos after its closing quote.
QString readQuotedItem(QStringView text, qsizetype &pos)
{
    QString item;
    ++pos;
    while (pos < text.size()) {
        const QChar c = text[pos++];
        if (c != kQuote) {
            item += c;
        } else if (pos < text.size() && text[pos] == kQuote) {
            item += kQuote;
            ++pos;
        } else {
            return item;
        }
    }
    return item;
}

} // namespace

QStringList splitDelimitedList(QStringView text, QChar delimiter)
{
    QStringList items;
    qsizetype pos = 0;
    const auto skipBlanks = [&] {
        while (pos < text.size() && isBlankOrControl(text[pos]))
            ++pos;
    };

    skipBlanks();
    while (pos < text.size()) {
        if (text[pos] == kQuote) {
            items.append(readQuotedItem(text, pos));
        } else {
            const qsizetype start = pos;
            while (pos < text.size() && !isBlankOrControl(text[pos]) && text[pos] != delimiter)
                ++pos;
            items.append(text.sliced(start, pos - start).toString());
        }
        skipBlanks();
        if (pos < text.size() && text[pos] == delimiter) {
            if (pos + 1 == text.size())
                items.append(QString());
            ++pos;
            skipBlanks();
        }
    }
    return items;
}

} // namespace menugeral
