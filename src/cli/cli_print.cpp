// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_print.h"

#include <iostream>

#include "model/terminal_text.h"

namespace radioprog::cli {

void PrintOut(std::string_view text) { std::cout << TerminalText(text); }

void PrintErr(std::string_view text) { std::cerr << TerminalText(text); }

void PrintOutOrErr(std::string_view text) {
    if (std::cout) {
        std::cout << TerminalText(text) << std::flush;
        if (std::cout) return;
    }
    PrintErr(text);
}

}  // namespace radioprog::cli
