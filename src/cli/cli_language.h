// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The language table of a command: loaded like the program loads it, with a warning on
// stderr for each language file that was skipped.
#include <string>

#include "model/language_table.h"

namespace radioprog::cli {

// LoadLanguageFile(table, resetToDefault), telling the user which files were skipped.
std::string LoadCliLanguage(LanguageTable& table, bool resetToDefault);

}  // namespace radioprog::cli
