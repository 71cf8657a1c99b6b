#include "ForeignLines.h"
#include "FuzzChecks.h"
#include "FuzzInput.h"
#include "core/IniFile.h"
#include "core/IniText.h"
#include "core/Windows1252.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <optional>

namespace menugeral::fuzz {
using namespace Qt::StringLiterals;
using test::FileLine;
using test::FileLines;
using test::keyPartOf;
using test::lostForeignLine;
using test::sameIniName;
namespace {

struct Write
{
    QString section;
    QString key;
    QString value;
};

struct Case
{
    QByteArray file;
    QList<Write> writes;
    bool utf8 = false; // the file starts with the UTF-8 byte-order mark
};

QList<QByteArrayView> splitAt(QByteArrayView bytes, char separator)
{
    QList<QByteArrayView> parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= bytes.size(); ++i) {
        if (i == bytes.size() || bytes[i] == separator) {
            parts.append(bytes.sliced(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

Case caseOf(QByteArrayView input)
{
    Case c;
    if (input.isEmpty())
        return c;
    const auto flags = static_cast<unsigned char>(input.front());
    const bool utf16 = (flags & 4) != 0;
    const QList<QByteArrayView> parts = splitAt(input.sliced(1), '\x1f');
    const qsizetype writes = std::min<qsizetype>(flags & 3, (parts.size() - 1) / 3);
    const qsizetype fileParts = parts.size() - 3 * writes;
    for (qsizetype i = 0; i < fileParts; ++i)
        c.file.append(i > 0 ? "\x1f" : "").append(parts[i]);
    for (qsizetype i = fileParts; i < parts.size(); i += 3)
        c.writes.append({textOf(parts[i], utf16), textOf(parts[i + 1], utf16), textOf(parts[i + 2], utf16)});
    c.utf8 = c.file.startsWith(ini::kUtf8ByteOrderMark);
    return c;
}

// ---- What the file format promises, stated apart from the code ----

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f';
}

QString trimmed(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

bool storable(const QString &text, bool utf8)
{
    if (text.contains(u'\r') || text.contains(u'\n') || text.contains(QChar(0)))
        return false;
    return utf8 ? text.isValidUtf16() : Windows1252::canEncode(text);
}

// A name that would read back as another (a "]" closing the header early, an
// "=" ending the key early, a key line read as a header or a comment).
bool readsBackAsItself(const Write &w)
{
    const QString key = trimmed(w.key);
    return !w.section.contains(u']') && !key.contains(u'=') && !key.startsWith(u'[') && !key.startsWith(u';');
}

bool accepted(const Write &w, bool utf8)
{
    return storable(w.section, utf8) && storable(w.key, utf8) && storable(w.value, utf8) && readsBackAsItself(w);
}

QList<FileLine> linesOf(QByteArrayView bytes)
{
    QList<FileLine> lines;
    FileLines walk(bytes);
    while (const std::optional<FileLine> line = walk.next())
        lines.append(*line);
    return lines;
}

class Checker
{
public:
    explicit Checker(const Case &c) : m_case(c) {}

    QStringList run();

private:
    void fail(const QString &what) { m_broken.append(what); }
    bool writeOriginal() const;
    QByteArray onDisk() const;
    void expectOnlyTheFile();
    void saveUntouched();
    void writeAndSave();
    void expectValuesReadBack();
    void expectForeignLinesKept(const QByteArray &saved);

    const Case &m_case;
    QTemporaryDir m_dir;
    QString m_fileName = m_dir.filePath(u"configuracoes.ini"_s);
    QStringList m_broken;
};

bool Checker::writeOriginal() const
{
    QFile file(m_fileName);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(m_case.file) == m_case.file.size();
}

QByteArray Checker::onDisk() const
{
    QFile file(m_fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Checker::expectOnlyTheFile()
{
    if (QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot) !=
        QStringList{u"configuracoes.ini"_s})
        fail(u"a save leaves nothing but the file in its directory"_s);
}

QStringList Checker::run()
{
    if (!m_dir.isValid() || !writeOriginal())
        return {u"cannot set up the file (a temporary directory that cannot be written?)"_s};
    saveUntouched();
    writeAndSave();
    return m_broken;
}

void Checker::saveUntouched()
{
    IniFile ini(m_fileName);
    for (const Write &w : m_case.writes)
        (void)ini.read(w.section, w.key, {});
    if (!ini.save())
        fail(u"a readable file saves without writes"_s);
    if (onDisk() != m_case.file)
        fail(u"a save without writes keeps every byte"_s);
    expectOnlyTheFile();
}

void Checker::writeAndSave()
{
    IniFile ini(m_fileName);
    bool allAccepted = true;
    for (const Write &w : m_case.writes) {
        ini.write(w.section, w.key, w.value);
        allAccepted = allAccepted && accepted(w, m_case.utf8);
    }
    const bool saved = ini.save();
    const QByteArray after = onDisk();
    expectOnlyTheFile();
    if (!allAccepted) {
        if (saved)
            fail(u"a write of what cannot be stored makes the save fail"_s);
        if (ini.errorString() != u"Unable to write to "_s + m_fileName)
            fail(u"a refused save says which file it could not write"_s);
        if (after != m_case.file)
            fail(u"a refused save leaves the file as it was"_s);
        return;
    }
    if (!saved) {
        fail(u"storable writes save"_s);
        return;
    }
    expectValuesReadBack();
    expectForeignLinesKept(after);
}

void Checker::expectValuesReadBack()
{
    const IniFile reread(m_fileName);
    const QString missing = u"\r"_s; // no stored value holds a CR
    const QList<Write> &writes = m_case.writes;
    for (qsizetype i = 0; i < writes.size(); ++i) {
        // The last write of the same entry is what reads back.
        const bool overwritten = std::any_of(writes.begin() + i + 1, writes.end(), [&](const Write &later) {
            return sameIniName(later.section, writes[i].section) && sameIniName(later.key, writes[i].key);
        });
        if (overwritten)
            continue;
        const QString &value = writes[i].value;
        const QString read = reread.read(writes[i].section, writes[i].key, missing);
        const bool quoted =
            value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front();
        constexpr qsizetype kLongest = 2047;
        if (read == missing)
            fail(u"a written entry is found again"_s);
        else if (trimmed(value) != value || quoted)
            continue; // blanks around it and one pair of quotes are not part of a value
        else if (value.size() <= kLongest ? read != value : !(value.startsWith(read) && read.size() >= kLongest - 1))
            fail(u"a written value reads back as written, cut to 2047 characters"_s);
    }
}

void Checker::expectForeignLinesKept(const QByteArray &saved)
{
    const QByteArrayView bom = ini::kUtf8ByteOrderMark;
    if (saved.startsWith(bom) != m_case.utf8) {
        fail(u"the byte-order mark stays as it was"_s);
        return;
    }
    const ini::Encoding encoding = m_case.utf8 ? ini::Encoding::Utf8 : ini::Encoding::Windows1252;
    const qsizetype skip = m_case.utf8 ? bom.size() : 0;
    const QByteArrayView beforeBytes = QByteArrayView(m_case.file).sliced(skip);
    const QByteArrayView afterBytes = QByteArrayView(saved).sliced(skip);
    QStringList keys;
    for (const Write &w : m_case.writes)
        keys.append(w.key);
    if (lostForeignLine(beforeBytes, afterBytes, keys, encoding))
        fail(u"every line not written is kept byte for byte, in order"_s);

    const QList<FileLine> before = linesOf(beforeBytes);
    const QList<FileLine> after = linesOf(afterBytes);
    if (after.size() > before.size() + 2 * m_case.writes.size())
        fail(u"a write adds at most a header and an entry"_s);
    // Lines not there before are written entries, their headers, or the last
    // line with the line break it gained.
    const auto added = [&](const FileLine &line) {
        const QString text = ini::decodeText(line.text, encoding);
        const QString key = keyPartOf(line.text, encoding);
        return std::any_of(m_case.writes.begin(), m_case.writes.end(),
                           [&](const Write &w) { return text == u'[' + w.section + u']' || sameIniName(key, w.key); });
    };
    for (const FileLine &line : after) {
        const bool endedNow = !before.isEmpty() && before.back().lineBreak.isEmpty() && before.back().text == line.text;
        if (!before.contains(line) && !endedNow && !added(line)) {
            fail(u"a save adds no line but the written entries and their headers"_s);
            break;
        }
    }
}

} // namespace

QStringList checkIniFile(QByteArrayView input)
{
    return Checker(caseOf(input)).run();
}

} // namespace menugeral::fuzz
