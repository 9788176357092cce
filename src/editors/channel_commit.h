// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Committing one edited channel-table cell: the editor's text goes into the grid row and the
// image, together with the cells that follow from it (new channel, delete channel, ...).
#include <optional>
#include <string>

#include "model/language_table.h"
#include "model/radio_image.h"
#include "radio/channel_cells.h"

namespace radioprog {

enum class CellAction {
    Update,            // store the one cell (a receive tone also sets a transmit tone that is off)
    NewChannel,        // column 2 of an empty channel receives a frequency
    DeleteChannel,     // column 2 is emptied
    ClearTxFrequency,  // column 3 is emptied
};

// The action for a cell of `column` whose text changes from oldText to newText.
CellAction ChooseCellAction(int column, const std::string& oldText, const std::string& newText);

// Performs the action on channel n: the image and `row` (the 12 texts the grid shows for the
// channel) are updated together, including the normalised frequency texts.
void ApplyCellEdit(RadioImage& image, const LanguageTable& language, int n, int column, CellAction action,
                   const std::string& text, ChannelRow& row);

// The whole commit of an overlay editor: chooses the action from the cell's current text in
// `row` and the editor's text, then applies it. Returns the action taken.
CellAction CommitCell(RadioImage& image, const LanguageTable& language, int n, int column,
                      const std::string& editorText, ChannelRow& row);

// What the user is told after committing `typed` into a frequency column (2 or 3) when the
// cell now holds something else for a reason the typing did not show: a frequency outside
// 136..520 MHz, which is stored as the nearest limit the radio takes (`stored`, the cell's
// text after the commit). nullopt when there is nothing to say.
std::optional<std::string> FrequencyCommitNotice(int column, const std::string& typed, const std::string& stored,
                                                 const LanguageTable& language);

// Del on one cell of channel n (no rows selected): a cell the channel can hold empty (the
// transmit frequency, the tones as off, the name) is emptied through CommitCell; any other
// cell, and every cell of an empty channel, is left alone. Returns whether it was emptied.
bool ClearCell(RadioImage& image, const LanguageTable& language, int n, int column, ChannelRow& row);

}  // namespace radioprog
