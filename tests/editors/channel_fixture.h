// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Test fixtures of the channel editors: a language table whose rows are distinct texts
// ("r0" .. "r193", the off text row 12 = "OFF") and a freshly defaulted image.
#include <string>

#include "model/language_table.h"
#include "model/radio_image.h"
#include "radio/new_image.h"

namespace radioprog::testing {

inline LanguageTable DistinctRows() {
    LanguageTable table;
    for (std::size_t r = 0; r < table.rows.size(); ++r) table.rows[r] = "r" + std::to_string(r);
    table.rows[lang_row::kToneOff] = "OFF";
    return table;
}

inline RadioImage DefaultImage() {
    RadioImage image;
    WriteNewImage(image);
    return image;
}

}  // namespace radioprog::testing
