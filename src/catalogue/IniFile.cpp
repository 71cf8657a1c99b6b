#include "catalogue/IniFile.h"

// Placeholder until the reader and writer land.
namespace menugeral {
using namespace Qt::StringLiterals;

struct IniFile::Content
{
};

IniFile::IniFile(QString fileName) : m_fileName(std::move(fileName)), m_content(std::make_unique<Content>()) {}

IniFile::~IniFile() = default;

const QString &IniFile::fileName() const
{
    return m_fileName;
}

QString IniFile::read(QStringView, QStringView, const QString &defaultValue) const
{
    return defaultValue;
}

void IniFile::write(QStringView, QStringView, const QString &) {}

bool IniFile::save()
{
    m_errorString = u"Unable to write to "_s + m_fileName;
    return false;
}

const QString &IniFile::errorString() const
{
    return m_errorString;
}

} // namespace menugeral
