#include "catalogue/IniLine.h"

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

QByteArrayView lineEndBytes(LineEnd end)
{
    switch (end) {
    case LineEnd::Cr:
        return "\r";
    case LineEnd::Lf:
        return "\n";
    case LineEnd::CrLf:
        return "\r\n";
    case LineEnd::None:
        break;
    }
    return {};
}

QStringView trimBlanks(QStringView text)
{
    return trimmed(text);
}

void classify(Line &line, QByteArrayView bytes, Encoding encoding)
{
    const QByteArrayView content = trimmed(bytes);
    line.name.clear();
    line.valueStart = 0;
    if (content.isEmpty()) {
        line.kind = LineKind::Blank;
    } else if (content.front() == ';') {
        line.kind = LineKind::Comment;
    } else if (content.front() == '[') {
        // "[ Name ] anything": blanks inside the brackets and text after "]" are
        // ignored; a header without "]" names the rest of the line.
        line.kind = LineKind::Section;
        const QByteArrayView inside = content.sliced(1);
        const qsizetype close = inside.indexOf(']');
        line.name = decodeText(trimmed(close < 0 ? inside : inside.first(close)), encoding);
    } else if (const qsizetype equals = content.indexOf('='); equals >= 0) {
        line.kind = LineKind::Entry;
        line.name = decodeText(trimmed(content.first(equals)), encoding);
        line.valueStart = (content.data() - bytes.data()) + equals + 1;
    } else {
        line.kind = LineKind::KeyOnly;
        line.name = decodeText(content, encoding);
    }
}

std::vector<Line> splitLines(QByteArrayView content, Encoding encoding)
{
    std::vector<Line> lines;
    // Room for the lines a save adds, so that they do not move all the others.
    constexpr std::size_t kRoomForWrites = 32;
    lines.reserve(static_cast<std::size_t>(content.count('\n')) + kRoomForWrites);
    const qsizetype size = content.size();
    qsizetype start = 0;
    while (start < size) {
        qsizetype stop = start;
        while (stop < size && content[stop] != '\r' && content[stop] != '\n')
            ++stop;
        Line line;
        line.start = start;
        line.size = stop - start;
        if (stop == size) {
            line.end = LineEnd::None;
            start = stop;
        } else if (content[stop] == '\n') {
            line.end = LineEnd::Lf;
            start = stop + 1;
        } else if (stop + 1 < size && content[stop + 1] == '\n') {
            line.end = LineEnd::CrLf;
            start = stop + 2;
        } else {
            line.end = LineEnd::Cr;
            start = stop + 1;
        }
        classify(line, content.sliced(line.start, line.size), encoding);
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace menugeral::ini
