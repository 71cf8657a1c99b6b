#include "core/IniFile.h"

#include "core/IniLine.h"
#include "core/IniText.h"
#include "core/IniValue.h"
#include "system/GuardedFile.h"

#include <optional>
#include <utility>

namespace menugeral {
using namespace Qt::StringLiterals;
using ini::Line;
using ini::LineKind;

namespace {

constexpr QByteArrayView kLineBreak = "\r\n";

// A name the file would read back as another: a "]" ends a header early, an
// "=" ends a key early, and a key line that starts with "[" or ";" would be
// read as a header or a comment, moving the entries after it.
bool readsBackAsAnotherName(QStringView section, QStringView key)
{
    const QStringView keyName = ini::trimBlanks(key);
    return section.contains(u']') || keyName.contains(u'=') || keyName.startsWith(u'[') || keyName.startsWith(u';');
}

} // namespace

// The file is kept as the bytes a save writes, and looked through line by line
// when asked: no structure per line, so that memory stays near the file's size
// whatever its lines look like. A write changes only the bytes of its own line.
struct IniFile::Content
{
    ini::Encoding encoding = ini::Encoding::Windows1252;
    qsizetype bodyStart = 0; // past the byte-order mark
    bool unreadable = false; // present but not read: a save would wipe what we never saw
    FileRefusal refusal;
    bool refusedWrite = false;
    QByteArray bytes;
    // The header that the last look-up found, so that reading a section's
    // entries one by one does not look through the whole file each time.
    mutable std::optional<std::pair<QString, qsizetype>> lastSection;

    void load(const QString &fileName);
    Line lineAt(qsizetype start) const { return ini::lineAt(bytes, start); }
    QByteArrayView textOf(const Line &line) const
    {
        return QByteArrayView(bytes).sliced(line.start, line.end - line.start);
    }
    bool nameIs(QByteArrayView name, QStringView wanted) const;
    std::optional<Line> findSection(QStringView section) const;
    std::optional<Line> findKey(const Line &header, QStringView key) const;
    qsizetype endOfSectionContent(const Line &header) const;
    std::optional<QByteArray> encodedLine(const QString &text) const;
    void replace(qsizetype at, qsizetype size, const QByteArray &line);
};

void IniFile::Content::load(const QString &fileName)
{
    FileContent content = readGuardedFile(fileName, kMaxFileSize);
    if (content.refusal.kind != FileRefusal::Kind::None) {
        refusal = std::move(content.refusal);
        unreadable = true;
        return;
    }
    bytes = std::move(content.bytes);
    if (bytes.startsWith(ini::kUtf8ByteOrderMark)) {
        encoding = ini::Encoding::Utf8;
        bodyStart = ini::kUtf8ByteOrderMark.size();
    }
}

bool IniFile::Content::nameIs(QByteArrayView name, QStringView wanted) const
{
    // Windows-1252 has one character per byte, and Qt folds letter case one
    // code point at a time without leaving its plane: a name of another length
    // differs, without decoding it.
    if (encoding == ini::Encoding::Windows1252 && name.size() != wanted.size())
        return false;
    return ini::decodeText(name, encoding).compare(wanted, Qt::CaseInsensitive) == 0;
}

std::optional<Line> IniFile::Content::findSection(QStringView section) const
{
    const QStringView wanted = ini::trimBlanks(section);
    if (lastSection && lastSection->first.compare(wanted, Qt::CaseInsensitive) == 0)
        return lineAt(lastSection->second);
    for (qsizetype at = bodyStart; at < bytes.size();) {
        const Line line = lineAt(at);
        if (ini::mayBeSection(textOf(line))) {
            const ini::LineParts parts = ini::classify(textOf(line));
            if (parts.kind == LineKind::Section && nameIs(parts.name, wanted)) {
                lastSection.emplace(wanted.toString(), line.start);
                return line;
            }
        }
        at = line.next;
    }
    return std::nullopt;
}

std::optional<Line> IniFile::Content::findKey(const Line &header, QStringView key) const
{
    const QStringView wanted = ini::trimBlanks(key);
    for (qsizetype at = header.next; at < bytes.size();) {
        const Line line = lineAt(at);
        const ini::LineParts parts = ini::classify(textOf(line));
        if (parts.kind == LineKind::Section)
            break;
        if ((parts.kind == LineKind::Entry || parts.kind == LineKind::KeyOnly) && nameIs(parts.name, wanted))
            return line;
        at = line.next;
    }
    return std::nullopt;
}

// Where a new entry of the section goes: after its last line that is not
// blank, so that a blank line separating it from the next section stays.
qsizetype IniFile::Content::endOfSectionContent(const Line &header) const
{
    qsizetype end = header.next;
    for (qsizetype at = header.next; at < bytes.size();) {
        const Line line = lineAt(at);
        const LineKind kind = ini::classify(textOf(line)).kind;
        if (kind == LineKind::Section)
            break;
        if (kind != LineKind::Blank)
            end = line.next;
        at = line.next;
    }
    return end;
}

std::optional<QByteArray> IniFile::Content::encodedLine(const QString &text) const
{
    std::optional<QByteArray> line = ini::encodeText(text, encoding);
    if (line)
        line->append(kLineBreak);
    return line;
}

// Puts `line` in place of `size` bytes at `at`. A line added after the last
// line of a file that does not end with a line break must not run on from it.
void IniFile::Content::replace(qsizetype at, qsizetype size, const QByteArray &line)
{
    const bool runsOn =
        size == 0 && at > bodyStart && at == bytes.size() && bytes.back() != '\r' && bytes.back() != '\n';
    const QByteArray added = runsOn ? kLineBreak.toByteArray() + line : line;
    bytes.replace(at, size, added);
    if (lastSection && at <= lastSection->second)
        lastSection->second += added.size() - size;
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
    const std::optional<Line> header = m_content->findSection(section);
    if (!header)
        return defaultValue;
    const std::optional<Line> entry = m_content->findKey(*header, key);
    if (!entry)
        return defaultValue;
    const QByteArrayView text = m_content->textOf(*entry);
    const ini::LineParts parts = ini::classify(text);
    if (parts.kind != LineKind::Entry)
        return defaultValue;
    return ini::valueAsRead(ini::decodeText(text.sliced(parts.valueStart), m_content->encoding));
}

bool IniFile::canStore(QStringView text) const
{
    return ini::canStore(text, m_content->encoding);
}

void IniFile::write(QStringView section, QStringView key, const QString &value)
{
    Content &content = *m_content;
    if (!canStore(section) || !canStore(key) || !canStore(value) || readsBackAsAnotherName(section, key)) {
        content.refusedWrite = true;
        return;
    }
    std::optional<QByteArray> entry = content.encodedLine(key + u'=' + value);
    if (!entry) {
        content.refusedWrite = true;
        return;
    }
    const std::optional<Line> header = content.findSection(section);
    if (!header) {
        std::optional<QByteArray> headerLine = content.encodedLine(u'[' + section + u']');
        if (!headerLine) {
            content.refusedWrite = true;
            return;
        }
        content.replace(content.bytes.size(), 0, *headerLine + *entry);
        return;
    }
    if (const std::optional<Line> existing = content.findKey(*header, key)) {
        // The entry takes the place of the line, its line break included.
        content.replace(existing->start, existing->next - existing->start, *entry);
        return;
    }
    content.replace(content.endOfSectionContent(*header), 0, *entry);
}

const FileRefusal &IniFile::refusal() const
{
    return m_content->refusal;
}

QString IniFile::problem() const
{
    const FileRefusal &refusal = m_content->refusal;
    switch (refusal.kind) {
    case FileRefusal::Kind::None:
        return {};
    case FileRefusal::Kind::TooLarge:
        return u"%1 is %2 bytes long, more than a settings file can be (%3 bytes); it was not read"_s.arg(
            refusal.entry, QString::number(refusal.size), QString::number(kMaxFileSize));
    case FileRefusal::Kind::UntrustedLink:
        return refusal.entry + u" is a symbolic link in a folder that others may change; it is not followed"_s;
    case FileRefusal::Kind::NotRegular:
        return refusal.entry + u" is not a regular file"_s;
    case FileRefusal::Kind::System:
        break;
    }
    return refusal.entry + u" cannot be read: "_s + refusal.reason;
}

bool IniFile::save()
{
    if (m_content->unreadable)
        m_reason = problem();
    else if (m_content->refusedWrite)
        m_reason = u"a name or value cannot be stored in this file"_s;
    else
        m_reason = replaceGuardedFile(m_fileName, m_content->bytes);
    m_errorString = m_reason.isEmpty() ? QString() : u"Unable to write to "_s + m_fileName;
    return m_reason.isEmpty();
}

const QString &IniFile::reason() const
{
    return m_reason;
}

const QString &IniFile::errorString() const
{
    return m_errorString;
}

} // namespace menugeral
