// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_language.h"
#include "model/terminal_text.h"

#include <iostream>
#include <vector>

namespace radioprog::cli {

std::string LoadCliLanguage(LanguageTable& table, bool resetToDefault) {
    std::vector<std::string> skipped;
    std::string path = LoadLanguageFile(table, resetToDefault, &skipped);
    for (const std::string& file : skipped)
        std::cerr << "radioprog-cli: language file " << TerminalText(file)
                  << " skipped: it has no usable rows or cannot be read\n";
    return path;
}

}  // namespace radioprog::cli
