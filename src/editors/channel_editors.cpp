// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/channel_editors.h"

#include "model/ascii_text.h"
#include "model/tone_codec.h"
#include "radio/channel_cells.h"
#include "radio/edit_filters.h"

namespace radioprog {

namespace {

constexpr int kSignallingChoices = 15;

std::vector<std::string> Rows(const LanguageTable& language, std::initializer_list<int> rows) {
    std::vector<std::string> texts;
    for (int row : rows) texts.push_back(language.row(row));
    return texts;
}

}  // namespace

CellEditor EditorForColumn(int column) {
    switch (column) {
    case column::kBand: return CellEditor::Band;
    case column::kRxFrequency:
    case column::kTxFrequency: return CellEditor::Frequency;
    case column::kRxTone:
    case column::kTxTone: return CellEditor::Tone;
    case column::kPower: return CellEditor::Power;
    case column::kBandwidth: return CellEditor::Bandwidth;
    case column::kBit14: return CellEditor::Bit14;
    case column::kBusyLockout: return CellEditor::BusyLockout;
    case column::kSignalling: return CellEditor::Signalling;
    case column::kName: return CellEditor::Name;
    default: return CellEditor::None;
    }
}

bool IsEditEditor(CellEditor editor) { return editor == CellEditor::Frequency || editor == CellEditor::Name; }

bool IsListEditor(CellEditor editor) { return editor != CellEditor::None && !IsEditEditor(editor); }

std::vector<std::string> EditorChoices(CellEditor editor, const LanguageTable& language) {
    switch (editor) {
    case CellEditor::Band: return {kBandText};
    case CellEditor::Tone: return ToneListEntries(language.row(lang_row::kToneOff));
    case CellEditor::Power: return Rows(language, {lang_row::kHigh, lang_row::kLow});
    case CellEditor::Bandwidth: return Rows(language, {lang_row::kNarrow, lang_row::kWide});
    case CellEditor::Bit14: return Rows(language, {lang_row::kNo, lang_row::kYes});
    case CellEditor::BusyLockout: return Rows(language, {lang_row::kToneOff, lang_row::kCarrier});
    case CellEditor::Signalling: {
        std::vector<std::string> numbers;
        for (int i = 1; i <= kSignallingChoices; ++i) numbers.push_back(std::to_string(i));
        return numbers;
    }
    default: return {};
    }
}

int FindChoice(const std::vector<std::string>& entries, const std::string& text) {
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (StartsWithIgnoringCase(entries[i], text)) return static_cast<int>(i);
    return -1;
}

std::optional<std::string> KeyTextForEditor(int column, char32_t key, bool gridButtonDown) {
    if (gridButtonDown || key < 32) return std::nullopt;
    // A key is applied only when the opened edit would accept it typed: digits and the point
    // for a frequency, digits and letters for a name.
    CellEditor editor = EditorForColumn(column);
    bool accepted = (editor == CellEditor::Frequency && NumericEditAccepts(key, false)) ||
                    (editor == CellEditor::Name && NameEditAccepts(key, 0, false));
    if (!accepted) return std::nullopt;
    return std::string(1, static_cast<char>(key));
}

}  // namespace radioprog
