// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Form descriptions as data: every control of a form with its kind, its place in dialog units,
// its caption's language row and, for a list, its choices. The widgets lay a form out from
// these tables; the rules and the printout use the same tables to resolve list texts.
#include <string>
#include <string_view>
#include <vector>

#include "model/language_table.h"

namespace radioprog {

inline constexpr int kNoRow = -1;

// x, y, width, height in dialog units of the form's font.
struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const DialogRect&) const = default;
};

// One entry, or a generated run of entries, of a list.
struct ChoiceItem {
    enum class Kind { Text, Numbers, ToneList, OffsetList };
    Kind kind = Kind::Text;
    int row = kNoRow;        // Text: language row shown first
    std::string_view text;   // Text: literal shown after it
    int suffixRow = kNoRow;  // Text and Numbers: language row appended last
    int first = 0;           // Numbers: decimal texts first, first + step, ... up to last
    int last = 0;
    int step = 1;
};

constexpr ChoiceItem ChoiceRow(int row) { return {ChoiceItem::Kind::Text, row, {}, kNoRow, 0, 0, 1}; }
constexpr ChoiceItem ChoiceText(std::string_view text) {
    return {ChoiceItem::Kind::Text, kNoRow, text, kNoRow, 0, 0, 1};
}
// row + text + suffixRow, without spaces ("high" + "+" + "low").
constexpr ChoiceItem ChoiceJoined(int row, std::string_view text, int suffixRow) {
    return {ChoiceItem::Kind::Text, row, text, suffixRow, 0, 0, 1};
}
constexpr ChoiceItem ChoiceNumbers(int first, int last, int step = 1, int suffixRow = kNoRow) {
    return {ChoiceItem::Kind::Numbers, kNoRow, {}, suffixRow, first, last, step};
}
// The 259 tone texts, the first being the off text (language row 12).
constexpr ChoiceItem ChoiceTones() { return {ChoiceItem::Kind::ToneList, kNoRow, {}, kNoRow, 0, 0, 1}; }
// The 1400 repeater-offset texts "00.000" ... "69.950".
constexpr ChoiceItem ChoiceOffsets() { return {ChoiceItem::Kind::OffsetList, kNoRow, {}, kNoRow, 0, 0, 1}; }

using Choices = std::vector<ChoiceItem>;

// Number of entries the choices make (needs no language table).
int ChoiceCount(const Choices& choices);
// The entries as texts, in list order.
std::vector<std::string> ResolveChoices(const Choices& choices, const LanguageTable& language);

enum class ControlKind {
    GroupBox,     // frame with an optional caption
    Label,        // static text
    List,         // drop-down list, no free text
    Edit,         // single-line edit
    Check,        // check box with its own caption
    RadioButton,  // radio button with its own caption
    Button,       // push button
};

enum class Align { Left, Center, Right };

struct FormControl {
    int id = 0;  // 0: a control of the original layout without identifier
    ControlKind kind = ControlKind::Label;
    DialogRect rect;
    int captionRow = kNoRow;  // language row of the control's own caption text
    // A control without a caption of its own (a list, an edit) is named for a screen reader
    // after the label the form shows beside it; a number is appended in a table of rows
    // ("Code 3"), and the description tells apart controls of the same name (VFO A, VFO B).
    int nameRow = kNoRow;
    int nameNumber = 0;  // 0: no number
    int descriptionRow = kNoRow;
    bool hidden = false;  // never shown; carries its value in the form state only
    int side = -1;        // frequency-mode group: 0 = A, 1 = B, -1 = none
    Choices choices{};    // lists
    int maxChars = 0;     // edits: input limit in code-page characters, 0 = none
    Align align = Align::Left;
    bool readOnly = false;
    bool disabled = false;
    bool sorted = false;
};

// What a screen reader says for a control: its name (its name row made plain, with its
// number), empty for a control that carries its own caption or has none; its description
// (which side it belongs to), empty when it needs none.
std::string ControlName(const FormControl& control, const LanguageTable& language);
std::string ControlDescription(const FormControl& control, const LanguageTable& language);

// The optional-functions form: 459 x 399 dialog units, font "Tahoma" 9.
inline constexpr int kSettingsFormWidth = 459;
inline constexpr int kSettingsFormHeight = 399;
inline constexpr const char* kSettingsFormFont = "Tahoma";
inline constexpr int kSettingsFormFontPoints = 9;

// Controls of the optional-functions form that are not settings-table rows: the group
// boxes, the frequency-mode groups A and B with their captions, the channel count, the
// second work-mode button, OK / CANCEL and the hidden controls.
const std::vector<FormControl>& SettingsLayout();

}  // namespace radioprog
