// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Moving around the channel grid: Tab/Enter, Up/Down, and where a click or a key opens an
// editor.
#include <optional>
#include <string>

namespace radioprog {

// Grid rows: row 0 is the header, row r (1..128) is channel r - 1.
inline constexpr int kGridRowCount = 129;
inline constexpr int kLastGridRow = 128;
inline constexpr int kLastGridColumn = 11;

struct GridCell {
    int row;
    int column;
    bool operator==(const GridCell&) const = default;
};

// Tab or Enter: one column to the right; from column 11 to column 1 of the next row;
// nullopt on column 11 of row 128 (nothing happens).
std::optional<GridCell> AdvanceCellTarget(GridCell current);

// The row Up (up = true) or Down moves onto, or nullopt when the grid cannot move.
std::optional<int> VerticalMoveTarget(int currentRow, bool up);
// True when column 1 must become current before the grid moves onto a row whose column-1
// cell shows targetBandText (an empty channel is entered at its band column).
bool VerticalMoveGoesToBandColumn(const std::string& targetBandText);

// The column a click on `column` edits: any empty cell of an empty channel (except column 1)
// and column 4 of an empty channel are edited at the receive frequency (column 2).
// rxFrequencyText is the row's column-2 text.
int ClickEditColumn(int column, const std::string& clickedText, const std::string& rxFrequencyText);

// The column whose editor opens: an edit column other than 2 of an empty channel opens the
// frequency edit over column 2 instead (the typed key is then not applied).
int OpenEditorColumn(int column, const std::string& rxFrequencyText);

}  // namespace radioprog
