// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/channel_navigation.h"

#include "editors/channel_editors.h"
#include "radio/channel_cells.h"

namespace radioprog {

std::optional<GridCell> AdvanceCellTarget(GridCell current) {
    if (current.column < kLastGridColumn) return GridCell{current.row, current.column + 1};
    if (current.row < kLastGridRow) return GridCell{current.row + 1, column::kBand};
    return std::nullopt;
}

std::optional<int> VerticalMoveTarget(int currentRow, bool up) {
    if (up) return currentRow > 1 ? std::optional<int>(currentRow - 1) : std::nullopt;
    return currentRow + 1 < kGridRowCount ? std::optional<int>(currentRow + 1) : std::nullopt;
}

bool VerticalMoveGoesToBandColumn(const std::string& targetBandText) { return targetBandText.empty(); }

int ClickEditColumn(int column, const std::string& clickedText, const std::string& rxFrequencyText) {
    if (!rxFrequencyText.empty()) return column;
    if (column != column::kBand && clickedText.empty()) return column::kRxFrequency;
    if (column == column::kRxTone) return column::kRxFrequency;
    return column;
}

int OpenEditorColumn(int column, const std::string& rxFrequencyText) {
    if (IsEditEditor(EditorForColumn(column)) && column != column::kRxFrequency && rxFrequencyText.empty())
        return column::kRxFrequency;
    return column;
}

}  // namespace radioprog
