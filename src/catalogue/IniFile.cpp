#include "catalogue/IniFile.h"

#include "catalogue/AtomicFile.h"
#include "catalogue/IniLine.h"
#include "catalogue/IniText.h"

#include <QFile>
#include <QFileInfo>

#include <vector>

namespace menugeral {
using namespace Qt::StringLiterals;
using ini::Line;
using ini::LineEnd;
using ini::LineKind;

namespace {

// What a read returns at most, as the private-profile service's 2048-byte buffer did.
constexpr qsizetype kMaxValueLength = 2047;
constexpr qsizetype kNotFound = -1;

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool holdsLineBreakOrNul(QStringView text)
{
    return text.contains(u'\r') || text.contains(u'\n') || text.contains(QChar(u'\0'));
}

// A name the file would read back as another: a "]" ends a header early, an
// "=" ends a key early, and a key line that starts with "[" or ";" would be
// read as a header or a comment, moving the entries after it.
bool readsBackAsAnotherName(QStringView section, QStringView key)
{
    const QStringView keyName = ini::trimBlanks(key);
    return section.contains(u']') || keyName.contains(u'=') || keyName.startsWith(u'[') || keyName.startsWith(u';');
}

QString valueAsRead(QStringView stored)
{
    QStringView value = ini::trimBlanks(stored);
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    if (value.size() > kMaxValueLength) {
        // Never cut a surrogate pair in half.
        const bool splitsPair = value[kMaxValueLength - 1].isHighSurrogate();
        value = value.first(splitsPair ? kMaxValueLength - 1 : kMaxValueLength);
    }
    return value.toString();
}

} // namespace

struct IniFile::Content
{
    ini::Encoding encoding = ini::Encoding::Windows1252;
    bool byteOrderMark = false;
    bool unreadable = false; // present but not read: a save would wipe what we never saw
    bool refusedWrite = false;
    QByteArray original; // the file as read, without its byte-order mark
    std::vector<Line> lines;

    void load(const QString &fileName);
    QByteArrayView bytesOf(const Line &line) const;
    const Line &at(qsizetype index) const { return lines[static_cast<std::size_t>(index)]; }
    Line &at(qsizetype index) { return lines[static_cast<std::size_t>(index)]; }
    qsizetype findSection(QStringView section) const;
    qsizetype sectionEnd(qsizetype header) const;
    qsizetype findKey(qsizetype header, QStringView key) const;
    std::optional<Line> makeLine(const QString &text) const;
    void endLineBefore(qsizetype index);
    QByteArray bytes() const;
};

void IniFile::Content::load(const QString &fileName)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        return;
    QFile file(fileName);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        unreadable = true;
        return;
    }
    original = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        original.clear();
        unreadable = true;
        return;
    }
    if (original.startsWith(ini::kUtf8ByteOrderMark)) {
        encoding = ini::Encoding::Utf8;
        byteOrderMark = true;
        original.remove(0, ini::kUtf8ByteOrderMark.size());
    }
    lines = ini::splitLines(original, encoding);
}

QByteArrayView IniFile::Content::bytesOf(const Line &line) const
{
    if (!line.written.isNull())
        return line.written;
    return QByteArrayView(original).sliced(line.start, line.size);
}

qsizetype IniFile::Content::findSection(QStringView section) const
{
    const QStringView wanted = ini::trimBlanks(section);
    for (qsizetype i = 0; i < qsizetype(lines.size()); ++i) {
        if (at(i).kind == LineKind::Section && sameName(at(i).name, wanted))
            return i;
    }
    return kNotFound;
}

qsizetype IniFile::Content::sectionEnd(qsizetype header) const
{
    qsizetype i = header + 1;
    while (i < qsizetype(lines.size()) && at(i).kind != LineKind::Section)
        ++i;
    return i;
}

qsizetype IniFile::Content::findKey(qsizetype header, QStringView key) const
{
    const QStringView wanted = ini::trimBlanks(key);
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const Line &line = at(i);
        if ((line.kind == LineKind::Entry || line.kind == LineKind::KeyOnly) && sameName(line.name, wanted))
            return i;
    }
    return kNotFound;
}

std::optional<Line> IniFile::Content::makeLine(const QString &text) const
{
    std::optional<QByteArray> encoded = ini::encodeText(text, encoding);
    if (!encoded)
        return std::nullopt;
    Line line;
    line.written = std::move(*encoded);
    line.size = line.written.size();
    line.end = LineEnd::CrLf;
    ini::classify(line, line.written, encoding);
    return line;
}

// A line inserted after the last line of a file that does not end with a line
// break must not run on from it.
void IniFile::Content::endLineBefore(qsizetype index)
{
    if (index > 0 && at(index - 1).end == LineEnd::None)
        at(index - 1).end = LineEnd::CrLf;
}

QByteArray IniFile::Content::bytes() const
{
    QByteArray result;
    result.reserve(original.size() + (byteOrderMark ? ini::kUtf8ByteOrderMark.size() : 0) + 4096);
    if (byteOrderMark)
        result.append(ini::kUtf8ByteOrderMark);
    for (const Line &line : lines)
        result.append(bytesOf(line)).append(ini::lineEndBytes(line.end));
    return result;
}

IniFile::IniFile(QString fileName) : m_fileName(std::move(fileName)), m_content(std::make_unique<Content>())
{
    m_content->load(m_fileName);
}

IniFile::~IniFile() = default;

const QString &IniFile::fileName() const
{
    return m_fileName;
}

QString IniFile::read(QStringView section, QStringView key, const QString &defaultValue) const
{
    const qsizetype header = m_content->findSection(section);
    if (header == kNotFound)
        return defaultValue;
    const qsizetype index = m_content->findKey(header, key);
    if (index == kNotFound)
        return defaultValue;
    const Line &line = m_content->at(index);
    if (line.kind != LineKind::Entry)
        return defaultValue;
    return valueAsRead(ini::decodeText(m_content->bytesOf(line).sliced(line.valueStart), m_content->encoding));
}

void IniFile::write(QStringView section, QStringView key, const QString &value)
{
    Content &content = *m_content;
    if (holdsLineBreakOrNul(section) || holdsLineBreakOrNul(key) || holdsLineBreakOrNul(value) ||
        readsBackAsAnotherName(section, key)) {
        content.refusedWrite = true;
        return;
    }
    std::optional<Line> entry = content.makeLine(key + u'=' + value);
    if (!entry) {
        content.refusedWrite = true;
        return;
    }
    std::vector<Line> &lines = content.lines;
    const qsizetype header = content.findSection(section);
    if (header == kNotFound) {
        std::optional<Line> headerLine = content.makeLine(u'[' + section + u']');
        if (!headerLine) {
            content.refusedWrite = true;
            return;
        }
        content.endLineBefore(qsizetype(lines.size()));
        lines.push_back(std::move(*headerLine));
        lines.push_back(std::move(*entry));
        return;
    }
    if (const qsizetype index = content.findKey(header, key); index != kNotFound) {
        content.at(index) = std::move(*entry);
        return;
    }
    // After the section's last line that is not blank, so that a blank line
    // separating it from the next section stays where it is.
    qsizetype insertAt = content.sectionEnd(header);
    while (insertAt > header + 1 && content.at(insertAt - 1).kind == LineKind::Blank)
        --insertAt;
    content.endLineBefore(insertAt);
    lines.insert(lines.begin() + insertAt, std::move(*entry));
}

bool IniFile::save()
{
    const bool saved =
        !m_content->refusedWrite && !m_content->unreadable && replaceFileContent(m_fileName, m_content->bytes());
    m_errorString = saved ? QString() : u"Unable to write to "_s + m_fileName;
    return saved;
}

const QString &IniFile::errorString() const
{
    return m_errorString;
}

} // namespace menugeral
