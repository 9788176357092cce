#pragma once
// The lines of the settings page: which label and which value of the optional-functions form
// each block prints on which line.
#include <string>
#include <vector>

#include "print/print_data.h"

namespace radioprog {

// Block 1: the general settings, framed. Block 2: side A, framed and titled. Block 3: side B,
// then three check boxes, unframed.
enum class SettingsBlock { General = 1, SideA = 2, SideB = 3 };

struct SettingsPageLine {
    SettingsBlock block;
    int line;           // k: the line of the page, printed at y = (6 + k) h + d25
    std::string label;  // the language text followed by "= " (or "^= ", "V= ")
    std::string value;
};

std::vector<SettingsPageLine> SettingsPageLines(const PrintData& data);

// The controls whose lines print what the control shows at the time of printing; the other
// lines print values as last exchanged with the form.
const std::vector<int>& SettingsPageShownControls();

// Language rows whose printed widths place the columns: block 1's value column follows
// row 44 + "= ", block 2 and 3's value columns follow row 81 + "= " (or the block's widest
// label when that is wider); rows 68 and 84 are the least room kept for the values of blocks
// 1 and 2, which grows so the widest value keeps a margin inside its frame.
namespace settings_page_row {
inline constexpr int kBlock1Label = 44;
inline constexpr int kBlock1Value = 68;
inline constexpr int kSideLabel = 81;
inline constexpr int kSideAValue = 84;
inline constexpr int kSideATitle = 72;
}  // namespace settings_page_row

}  // namespace radioprog
