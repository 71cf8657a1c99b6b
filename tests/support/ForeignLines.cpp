#include "ForeignLines.h"

#include <algorithm>

namespace menugeral::test {
namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f';
}

QStringView trimmed(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

} // namespace

std::optional<FileLine> FileLines::next()
{
    if (m_at >= m_bytes.size())
        return std::nullopt;
    qsizetype end = m_at;
    while (end < m_bytes.size() && m_bytes[end] != '\r' && m_bytes[end] != '\n')
        ++end;
    qsizetype next = std::min(end + 1, m_bytes.size());
    if (next < m_bytes.size() && m_bytes[end] == '\r' && m_bytes[next] == '\n')
        ++next;
    const FileLine line{m_bytes.sliced(m_at, end - m_at), m_bytes.sliced(end, next - end)};
    m_at = next;
    return line;
}

bool sameIniName(const QString &a, const QString &b)
{
    return trimmed(a).compare(trimmed(b), Qt::CaseInsensitive) == 0;
}

QString keyPartOf(QByteArrayView text, ini::Encoding encoding)
{
    const qsizetype equals = text.indexOf('=');
    return trimmed(ini::decodeText(equals < 0 ? text : text.first(equals), encoding)).toString();
}

std::optional<QByteArray> lostForeignLine(QByteArrayView before, QByteArrayView after, const QStringList &writtenKeys,
                                          ini::Encoding encoding)
{
    FileLines kept(before);
    FileLines saved(after);
    while (const std::optional<FileLine> line = kept.next()) {
        const QString key = keyPartOf(line->text, encoding);
        if (std::any_of(writtenKeys.begin(), writtenKeys.end(), [&](const QString &k) { return sameIniName(key, k); }))
            continue;
        const bool mayGainABreak = line->lineBreak.isEmpty();
        std::optional<FileLine> candidate;
        do {
            candidate = saved.next();
        } while (candidate && !(*candidate == *line ||
                                (mayGainABreak && candidate->text == line->text && candidate->lineBreak == "\r\n")));
        if (!candidate)
            return line->text.toByteArray() + line->lineBreak.toByteArray();
    }
    return std::nullopt;
}

} // namespace menugeral::test
