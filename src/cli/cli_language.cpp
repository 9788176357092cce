// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_language.h"

#include <vector>

#include "cli/cli_print.h"

namespace radioprog::cli {

std::string LoadCliLanguage(LanguageTable& table, bool resetToDefault) {
    std::vector<std::string> skipped;
    std::string path = LoadLanguageFile(table, resetToDefault, &skipped);
    for (const std::string& file : skipped)
        PrintErr("radioprog-cli: language file " + file + " skipped: it has no usable rows or cannot be read\n");
    return path;
}

}  // namespace radioprog::cli
