#pragma once

#include <QRect>
#include <QStringView>

#include <cstddef>
#include <span>

namespace menugeral {

class TfrmConfiguracoes;

// What the settings window adds to a catalogue row: where its label, edit field
// and browse button stand, their places in the tab order, and the slot the
// button runs. The catalogue row gives the label text, the edit and button
// names and where the path is stored.
struct SettingsRow
{
    QStringView labelName;
    int labelTop;
    int editTop;
    int editTab;
    int buttonTop;
    int buttonTab;
    void (TfrmConfiguracoes::*handler)();
};

namespace SettingsLayout {

// The row of a catalogue row (ModuleRow).
const SettingsRow &row(std::size_t module);

// The catalogue rows from the top of the window down. "Conferencia" closes the
// first group on screen although it is the seventh module of the catalogue.
std::span<const std::size_t> modulesFromTop();

inline constexpr QSize kClientSize{672, 493};

// Columns shared by every row.
inline constexpr int kLabelLeft = 4;
inline constexpr int kLabelHeight = 13;
inline constexpr int kEditLeft = 98;
inline constexpr QSize kEditSize{540, 21};
inline constexpr int kButtonLeft = 645;
inline constexpr QSize kButtonSize{23, 21};

// Group headings (labels sized to their text: only the corner and height count)
// and the etched lines beside them.
inline constexpr QPoint kEmpresarialHeadingAt{4, 0};
inline constexpr QPoint kContabilHeadingAt{3, 312};
inline constexpr QRect kEmpresarialLine{121, 8, 546, 5};
inline constexpr QRect kContabilLine{100, 320, 567, 5};

// The buttons at the foot of the window; they come first in the tab order.
inline constexpr QRect kSaveButton{431, 467, 109, 25};
inline constexpr QRect kCancelButton{559, 467, 109, 25};
inline constexpr int kSaveTab = 0;
inline constexpr int kCancelTab = 1;

} // namespace SettingsLayout

} // namespace menugeral
