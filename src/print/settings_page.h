// SPDX-License-Identifier: GPL-3.0-or-later
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

}  // namespace radioprog
