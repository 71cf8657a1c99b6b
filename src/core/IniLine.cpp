#include "core/IniLine.h"

namespace menugeral::ini {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

bool isBlank(QChar c)
{
    return c.unicode() < 0x80 && isBlank(static_cast<char>(c.unicode()));
}

template <typename View> View trimmed(View text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

} // namespace

Line lineAt(QByteArrayView content, qsizetype start)
{
    const qsizetype size = content.size();
    qsizetype end = start;
    while (end < size && content[end] != '\r' && content[end] != '\n')
        ++end;
    qsizetype next = end;
    if (next < size)
        next += (content[next] == '\r' && next + 1 < size && content[next + 1] == '\n') ? 2 : 1;
    return {start, end, next};
}

QStringView trimBlanks(QStringView text)
{
    return trimmed(text);
}

LineParts classify(QByteArrayView text)
{
    const QByteArrayView content = trimmed(text);
    if (content.isEmpty())
        return {};
    if (content.front() == ';')
        return {LineKind::Comment, {}, 0};
    if (content.front() == '[') {
        // "[ Name ] anything": blanks inside the brackets and text after "]" are
        // ignored; a header without "]" names the rest of the line.
        const QByteArrayView inside = content.sliced(1);
        const qsizetype close = inside.indexOf(']');
        return {LineKind::Section, trimmed(close < 0 ? inside : inside.first(close)), 0};
    }
    if (const qsizetype equals = content.indexOf('='); equals >= 0)
        return {LineKind::Entry, trimmed(content.first(equals)), (content.data() - text.data()) + equals + 1};
    return {LineKind::KeyOnly, content, 0};
}

bool mayBeSection(QByteArrayView text)
{
    for (const char c : text) {
        if (!isBlank(c))
            return c == '[';
    }
    return false;
}

} // namespace menugeral::ini
