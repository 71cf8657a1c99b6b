#include "core/DelimitedList.h"
#include "core/ModulePath.h"

#include <gtest/gtest.h>

namespace menugeral {
namespace {
using namespace Qt::StringLiterals;

TEST(DelimitedList, ReadsItemsLikeADelimitedList)
{
    struct Case
    {
        QString text;
        QStringList items;
    };
    const Case cases[] = {
        {u""_s, {}},
        {u" \t "_s, {}},
        {u"a\\b"_s, {u"a"_s, u"b"_s}},
        {u"  a\\b"_s, {u"a"_s, u"b"_s}},
        {u"a b"_s, {u"a"_s, u"b"_s}},     // a blank ends an item
        {u"a \\  b"_s, {u"a"_s, u"b"_s}}, // blanks around a separator
        {u"a\\"_s, {u"a"_s, u""_s}},      // a final separator adds an empty item
        {u"a\\ "_s, {u"a"_s}},            // ... only when it is the very last character
        {u"\\\\"_s, {u""_s, u""_s, u""_s}},
        {u"a\\\\b"_s, {u"a"_s, u""_s, u"b"_s}},
        {u"\"a b\"\\c"_s, {u"a b"_s, u"c"_s}},            // quotes keep blanks and are removed
        {u"\"a\\b\""_s, {u"a\\b"_s}},                     // ... and the delimiter
        {u"\"say \"\"hi\"\"\""_s, {u"say \"hi\""_s}},     // doubled quotes stand for one
        {u"\"open"_s, {u"open"_s}},                       // an unclosed quote runs to the end
        {u"\"ab\"cd"_s, {u"ab"_s, u"cd"_s}},              // text right after a closing quote starts an item
        {u"ab\"cd"_s, {u"ab\"cd"_s}},                     // a quote inside an item is plain text
        {u"a\u0001b\u001fc"_s, {u"a"_s, u"b"_s, u"c"_s}}, // control characters act as blanks
        {u"a\u00a0b"_s, {u"a\u00a0b"_s}},                 // a no-break space (above 32) does not
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(splitDelimitedList(c.text, u'\\'), c.items);
    }
}

// Splitting is pure text and holds on every platform.
TEST(WindowsModulePath, SplitsIntoFileNameParametersAndDirectory)
{
    struct Case
    {
        QString path;
        LaunchRequest expected; // file name, parameters, directory
    };
    const Case cases[] = {
        {u"C:\\Apps\\Caixa\\caixa.exe"_s, {u"caixa.exe"_s, u""_s, u"C:\\Apps\\Caixa"_s}},
        {u"C:\\Program Files\\Apps\\ger.exe /a /b"_s, {u"ger.exe"_s, u"/a /b"_s, u"C:\\Program Files\\Apps"_s}},
        {u"D:\\sis.exe"_s, {u"sis.exe"_s, u""_s, u"D:"_s}},
        // A blank inside the file name splits it.
        {u"C:\\Apps\\my prog.exe"_s, {u"prog.exe"_s, u""_s, u"C:\\Apps\\my"_s}},
        // Switches must begin with "/".
        {u"C:\\Apps\\x.exe -cfg"_s, {u"-cfg"_s, u""_s, u"C:\\Apps\\x.exe"_s}},
        // Every "/" counts, also one used as a directory separator.
        {u"C:/Apps/x.exe"_s, {u"C:"_s, u"/Apps/x.exe"_s, u""_s}},
        {u"C:\\Apps\\x.exe\\"_s, {u""_s, u""_s, u""_s}},
        {u"C:\\Windows\\System32\\mstsc.exe /v:server01"_s,
         {u"mstsc.exe"_s, u"/v:server01"_s, u"C:\\Windows\\System32"_s}},
        // A file name at the first or second character leaves no directory.
        {u"mstsc.exe /v:x"_s, {u"mstsc.exe"_s, u"/v:x"_s, u""_s}},
        {u"\\x.exe"_s, {u"x.exe"_s, u""_s, u""_s}},
        // The directory ends before the first occurrence of the file name.
        {u"C:\\x.exe\\x.exe"_s, {u"x.exe"_s, u""_s, u"C:"_s}},
        {u"C:\\Apps\\\\x.exe"_s, {u"x.exe"_s, u""_s, u"C:\\Apps\\"_s}},
        {u"C:\\Apps \\ x.exe"_s, {u"x.exe"_s, u""_s, u"C:\\Apps \\"_s}},
        // A separator followed by the blank before the switches adds no item.
        {u"C:\\Apps\\x.exe\\ /cfg"_s, {u"x.exe"_s, u"/cfg"_s, u"C:\\Apps"_s}},
        // Quoted items: the quotes are removed from the file name but stay in the directory.
        {u"C:\\\"Program Files\"\\\"my prog.exe\" /a"_s, {u"my prog.exe"_s, u"/a"_s, u"C:\\\"Program Files\"\\"_s}},
        {u"C:\\Apps\\\"open.exe"_s, {u"open.exe"_s, u""_s, u"C:\\Apps\\"_s}},
        // A file name that the text does not hold literally gives no directory.
        {u"C:\\Apps\\\"a\"\"b.exe\""_s, {u"a\"b.exe"_s, u""_s, u""_s}},
        // Nothing before the first "/": no file name at all.
        {u"/cfg only"_s, {u""_s, u"/cfg only"_s, u""_s}},
        {u""_s, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const LaunchRequest got = ExtrairDadosCaminho(c.path, PathSyntax::Windows);
        EXPECT_EQ(got.fileName, c.expected.fileName);
        EXPECT_EQ(got.parameters, c.expected.parameters);
        EXPECT_EQ(got.directory, c.expected.directory);
    }
}

} // namespace
} // namespace menugeral
