// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_print.h"

#include <iostream>

#include "model/terminal_text.h"

namespace radioprog::cli {

void PrintOut(std::string_view text) { std::cout << TerminalText(text); }

void PrintErr(std::string_view text) { std::cerr << TerminalText(text); }

}  // namespace radioprog::cli
