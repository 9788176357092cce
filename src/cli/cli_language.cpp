// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_language.h"

#include <utility>
#include <vector>

#include "cli/cli_print.h"

namespace radioprog::cli {

std::string LoadCliLanguage(LanguageTable& table, bool resetToDefault) {
    std::vector<std::string> skipped;
    LanguageFileFlaws flaws;
    std::string path = LoadLanguageFile(table, resetToDefault, &skipped, &flaws);
    // Said once a run, however often a command loads the table.
    static bool told = false;
    if (!std::exchange(told, true)) {
        for (const std::string& file : skipped)
            PrintErr("radioprog-cli: language file " + file + " skipped: it has no usable rows or cannot be read\n");
        for (const std::string& text : LanguageFileFlawTexts(flaws, table)) PrintErr("radioprog-cli: " + text + "\n");
    }
    return path;
}

}  // namespace radioprog::cli
