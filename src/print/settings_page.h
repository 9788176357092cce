// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lines of the settings page: every setting the optional-functions form shows, with the
// caption and the value the form shows for it, taken from the same table the form is built
// from (a setting the form does not show is not printed).
#include <string>
#include <vector>

#include "print/print_data.h"

namespace radioprog {

// Block 1: the general settings. Block 2: frequency mode A. Block 3: frequency mode B. Each
// is framed; blocks 2 and 3 carry their group's title.
enum class SettingsBlock { General = 1, SideA = 2, SideB = 3 };

struct SettingsPageLine {
    SettingsBlock block;
    int line;           // k (from 1 in each block): printed at y = (6 + k) h + d25
    int control;        // the form's control the line prints
    std::string label;  // the control's caption as the form shows it, followed by "= "
    std::string value;  // what the control shows: a list's entry, an edit's text, the
                        // language's "Yes" / "No" for a check box, the checked work mode
};

std::vector<SettingsPageLine> SettingsPageLines(const PrintData& data);

// The title printed on a block's frame: frequency modes A and B carry their group's title,
// the general block none (empty).
std::string SettingsBlockTitle(SettingsBlock block, const LanguageTable& language);

// The lists whose lines print what the list shows at the time of printing (it may not have
// been exchanged with the form yet).
const std::vector<int>& SettingsPageShownControls();

}  // namespace radioprog
