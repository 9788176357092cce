// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The web page's own texts by name: each is a language row, so the page shows them in the
// language in use like every other text. And its commands by name.
#include <string_view>
#include <vector>

#include "shell/command_table.h"

namespace radioprog {

struct WebText {
    const char* key;  // the name the page uses
    int row;          // its language row
};

const std::vector<WebText>& WebTexts();

// The page's commands by the name its controls carry (data-command), each the main window's
// command it stands for, so the page follows the command table (what a transfer disables).
struct PageCommand {
    const char* name;
    Command command;
};

const std::vector<PageCommand>& PageCommands();

}  // namespace radioprog
