#pragma once
// Moving around the channel grid: Tab/Enter, Up/Down, where a click or a key opens an editor,
// and where the overlay editor is placed over its cell.
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

// A rectangle in pixels of the grid's client area.
struct PixelRect {
    int x;
    int y;
    int width;
    int height;
    bool operator==(const PixelRect&) const = default;
};

// The cell rectangle as the grid reports it, in twips.
struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

// Where an overlay editor goes: the cell converted with the screen's pixels per inch,
// moved 3 pixels up and left; a list gets 100 more pixels of height for its drop-down.
PixelRect OverlayEditorRect(TwipRect cell, int pixelsPerInchX, int pixelsPerInchY, bool isList);

}  // namespace radioprog
