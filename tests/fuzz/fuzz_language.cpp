// SPDX-License-Identifier: GPL-3.0-or-later
// The language file loader, and every row it may be asked for.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz_support.h"
#include "model/language_table.h"

using namespace radioprog;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    LanguageTable table;
    table.index = data[0] % 4;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    LoadLanguageStream(in, table);
    fuzz::Require(table.rows.size() == static_cast<std::size_t>(kLanguageRowCount), "the table keeps its rows");
    for (int r = -1; r <= kLanguageRowCount; ++r) table.row(r);
    for (int r = kBaseLanguageRowCount; r < kLanguageRowCount; ++r)
        fuzz::Require(!table.row(r).empty(), "an extra row always has a text");
    fuzz::Require(table.nameCount() <= kLanguageNameCount, "at most 32 names");
    return 0;
}
