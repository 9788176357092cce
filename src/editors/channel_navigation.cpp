#include "editors/channel_navigation.h"

#include "editors/channel_cells.h"
#include "editors/channel_editors.h"

namespace radioprog {

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kOverlayInset = 3;
constexpr int kDropDownRoom = 100;

}  // namespace

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

PixelRect OverlayEditorRect(TwipRect cell, int pixelsPerInchX, int pixelsPerInchY, bool isList) {
    auto toPixels = [](int twips, int perInch) { return twips * perInch / kTwipsPerInch; };
    PixelRect rect{toPixels(cell.left, pixelsPerInchX) - kOverlayInset, toPixels(cell.top, pixelsPerInchY) - kOverlayInset,
                   toPixels(cell.width, pixelsPerInchX), toPixels(cell.height, pixelsPerInchY)};
    if (isList) rect.height += kDropDownRoom;
    return rect;
}

}  // namespace radioprog
