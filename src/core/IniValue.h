#pragma once

#include <QString>
#include <QStringView>

namespace menugeral::ini {

// What a read returns at most, as the private-profile service's 2048-byte buffer did.
inline constexpr qsizetype kMaxValueLength = 2047;

// The value a read gives for the text stored after "key=": blanks around it
// removed, one pair of matching quotes taken off, cut to kMaxValueLength.
QString valueAsRead(QStringView stored);

// Why a value written now would not be what the file gives back, or would
// upset whoever prints it: the one rule for every writer.
enum class ValueFault
{
    None,
    ControlCharacter, // C0 but TAB, DEL or C1: also what would cut the line
    ChangedOnRead,    // too long, or outer blanks or quotes the read takes off
};

ValueFault valueFault(QStringView value);

bool isControlCharacter(char16_t c);

// The text with every control character but the line break shown as <U+001B>,
// for a terminal that would otherwise obey it.
QString withVisibleControls(QStringView text);

} // namespace menugeral::ini
