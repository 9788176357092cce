// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared pieces of the fuzz targets: a language table with a text in every row (so every
// lookup shows something), and a check that aborts with a message, as libFuzzer expects.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "model/language_table.h"

namespace radioprog::fuzz {

inline const LanguageTable& ShippedLanguage() {
    static const LanguageTable table = [] {
        LanguageTable loaded;
        std::ifstream in(std::string(RADIOPROG_SOURCE_DIR) + "/data/lang.csv", std::ios::binary);
        LoadLanguageStream(in, loaded);
        return loaded;
    }();
    return table;
}

inline void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

}  // namespace radioprog::fuzz
