#include "core/IniValue.h"

#include <gtest/gtest.h>

namespace menugeral::ini {
namespace {
using namespace Qt::StringLiterals;

TEST(IniValue, AValueIsStoredOnlyWhenItReadsBackUnchangedAndHoldsNoControl)
{
    const QString longest(kMaxValueLength, u'x');
    const struct
    {
        QString value;
        ValueFault fault;
    } cases[] = {
        {u""_s, ValueFault::None},
        {u"C:\\QOR\\Caixa.exe /a \"b c\""_s, ValueFault::None},
        {u"/a\tb"_s, ValueFault::None},
        {u"\"/a"_s, ValueFault::None}, // one quote alone stays
        {u"\"/a'"_s, ValueFault::None},
        {longest, ValueFault::None},
        {longest + u'x', ValueFault::ChangedOnRead},
        {u" /a"_s, ValueFault::ChangedOnRead},
        {u"/a\t"_s, ValueFault::ChangedOnRead},
        {u"\"/a\""_s, ValueFault::ChangedOnRead},
        {u"'/a'"_s, ValueFault::ChangedOnRead},
        {u"/a\u001b[2J"_s, ValueFault::ControlCharacter},
        {u"/a\nb"_s, ValueFault::ControlCharacter},
        {QString(u"/a"_s) + QChar(u'\0'), ValueFault::ControlCharacter},
        {u"/a\u007f"_s, ValueFault::ControlCharacter},
        {u"/a\u0085b"_s, ValueFault::ControlCharacter},
        {u"/a\u009b"_s, ValueFault::ControlCharacter},
        {u"/\u00a0a"_s, ValueFault::None}, // past C1: a character like any other
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.value.left(40).toStdString());
        EXPECT_EQ(valueFault(c.value), c.fault);
    }
}

TEST(IniValue, ControlCharactersAreShownAsTheirCodeButLineBreaksStay)
{
    EXPECT_EQ(withVisibleControls(u"a\u001b[2Jb\tc\u007f\u009b\u00e7\nd"_s),
              u"a<U+001B>[2Jb<U+0009>c<U+007F><U+009B>\u00e7\nd"_s);
}

} // namespace
} // namespace menugeral::ini
