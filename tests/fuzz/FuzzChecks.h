#pragma once

// The properties the fuzz targets check. Each takes any bytes and gives the
// properties they broke, one text each; none means the input passed. The
// libFuzzer targets (fuzz_*.cpp) abort on a broken property, and the unit test
// fuzzregression_test.cpp replays the committed inputs through the same
// functions in every build.

#include <QByteArrayView>
#include <QStringList>

namespace menugeral::fuzz {

// Input: a flags byte (bits 0-1: how many writes, bit 2: their texts are raw
// UTF-16 instead of UTF-8), then the file's bytes, then one section, key and
// value per write, each after a 0x1F byte. The file is read, saved untouched,
// written to and saved again.
QStringList checkIniFile(QByteArrayView input);

// Input: bytes to decode, and the same bytes read as UTF-16 text to encode.
QStringList checkWindows1252(QByteArrayView input);

// Input: a flags byte (bit 0: Windows syntax, bit 1: the path is raw UTF-16
// instead of UTF-8), then the module path. It is validated and split in a
// directory of its own, which holds a few programs the path may name.
QStringList checkModulePath(QByteArrayView input);

// The directories of committed inputs, one per check.
struct NamedCheck
{
    const char *name; // the folder under tests/fuzz/corpus and tests/fuzz/regressions
    QStringList (*check)(QByteArrayView);
};
inline constexpr NamedCheck kChecks[] = {
    {"inifile", checkIniFile},
    {"windows1252", checkWindows1252},
    {"modulepath", checkModulePath},
};

} // namespace menugeral::fuzz
