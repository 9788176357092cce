// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/channel_commit.h"

#include <cstdlib>
#include <utility>

#include "editors/channel_editors.h"
#include "editors/channel_store.h"

namespace radioprog {

namespace {

// Typed frequencies outside these whole MHz are stored as a limit, not as typed.
constexpr long kLowestTypedMhz = 136;
constexpr long kHighestTypedMhz = 520;

std::string& Cell(ChannelRow& row, int column) { return row[static_cast<std::size_t>(column)]; }

// Writes text into the cell and stores it; returns StoreCell's result.
bool SetAndStore(RadioImage& image, const LanguageTable& language, int n, ChannelRow& row, int column,
                 const std::string& text, bool enabled) {
    Cell(row, column) = text;
    return StoreCell(image, language, n, column, Cell(row, column), enabled);
}

void NewChannel(RadioImage& image, const LanguageTable& language, int n, const std::string& text, ChannelRow& row) {
    bool f = SetAndStore(image, language, n, row, column::kRxFrequency, text, true);
    const std::string rxText = Cell(row, column::kRxFrequency);
    const std::string& offText = language.row(lang_row::kToneOff);
    struct Default {
        int column;
        std::string text;
    };
    const Default defaults[] = {
        {column::kTxFrequency, rxText},
        {column::kRxTone, offText},
        {column::kTxTone, offText},
        {column::kPower, language.row(lang_row::kHigh)},
        {column::kBandwidth, language.row(lang_row::kWide)},
        {column::kBit14, language.row(lang_row::kYes)},
        {column::kBusyLockout, offText},
        {column::kBand, kBandText},
        {column::kSignalling, "1"},
    };
    for (const Default& value : defaults) SetAndStore(image, language, n, row, value.column, value.text, f);
}

void DeleteChannel(RadioImage& image, const LanguageTable& language, int n, ChannelRow& row) {
    SetAndStore(image, language, n, row, column::kRxFrequency, std::string(), true);
    // Disabled stores erase the fields; the signalling index keeps its value.
    for (int c : {column::kTxFrequency, column::kRxTone, column::kTxTone, column::kPower, column::kBandwidth,
                  column::kBit14, column::kBusyLockout, column::kName, column::kBand, column::kSignalling})
        SetAndStore(image, language, n, row, c, std::string(), false);
}

}  // namespace

CellAction ChooseCellAction(int column, const std::string& oldText, const std::string& newText) {
    if (column == column::kRxFrequency && oldText.empty() && !newText.empty()) return CellAction::NewChannel;
    if (column == column::kRxFrequency && !oldText.empty() && newText.empty()) return CellAction::DeleteChannel;
    if (column == column::kTxFrequency && !oldText.empty() && newText.empty()) return CellAction::ClearTxFrequency;
    return CellAction::Update;
}

void ApplyCellEdit(RadioImage& image, const LanguageTable& language, int n, int column, CellAction action,
                   const std::string& text, ChannelRow& row) {
    // Column 0 (the channel number) and anything outside the grid are never edited.
    if (column < column::kBand || column > column::kName) return;
    const std::string& offText = language.row(lang_row::kToneOff);
    switch (action) {
    case CellAction::Update:
        // A list that selects no entry (the cell holds a value the list does not name, such
        // as a raw tone code) gives no text: the value stays as it is.
        if (text.empty() && IsListEditor(EditorForColumn(column))) break;
        SetAndStore(image, language, n, row, column, text, true);
        // While the transmit tone is off it follows the receive tone.
        if (column == column::kRxTone && Cell(row, column::kTxTone) == offText)
            SetAndStore(image, language, n, row, column::kTxTone, Cell(row, column::kRxTone), true);
        break;
    case CellAction::NewChannel: NewChannel(image, language, n, text, row); break;
    case CellAction::DeleteChannel: DeleteChannel(image, language, n, row); break;
    case CellAction::ClearTxFrequency:
        SetAndStore(image, language, n, row, column::kTxFrequency, std::string(), true);
        SetAndStore(image, language, n, row, column::kTxTone, offText, true);
        break;
    }
}

CellAction CommitCell(RadioImage& image, const LanguageTable& language, int n, int column,
                      const std::string& editorText, ChannelRow& row) {
    if (column < column::kBand || column > column::kName) return CellAction::Update;
    CellAction action = ChooseCellAction(column, Cell(row, column), editorText);
    ApplyCellEdit(image, language, n, column, action, editorText, row);
    return action;
}

std::optional<std::string> FrequencyCommitNotice(int column, const std::string& typed, const std::string& stored,
                                                 const LanguageTable& language) {
    if (column != column::kRxFrequency && column != column::kTxFrequency) return std::nullopt;
    if (typed.empty() || stored.empty() || typed == stored) return std::nullopt;
    const long mhz = std::strtol(typed.c_str(), nullptr, 10);
    if (mhz >= kLowestTypedMhz && mhz <= kHighestTypedMhz) return std::nullopt;
    return FillArguments(language.row(lang_row::kFrequencyLimited), {typed, stored});
}

bool ClearCell(RadioImage& image, const LanguageTable& language, int n, int column, ChannelRow& row) {
    if (row[static_cast<std::size_t>(column::kRxFrequency)].empty()) return false;
    std::string empty;
    switch (column) {
    case column::kTxFrequency:
    case column::kName: break;
    case column::kRxTone:
    case column::kTxTone: empty = language.row(lang_row::kToneOff); break;
    default: return false;
    }
    if (row[static_cast<std::size_t>(column)] == empty) return false;
    CommitCell(image, language, n, column, empty, row);
    return true;
}

}  // namespace radioprog
