// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Storing one channel-table cell: a column's text becomes the channel's bytes.
#include <string>

#include "model/language_table.h"
#include "model/radio_image.h"

namespace radioprog {

// Stores the text of column `column` into channel n (0..127).
// - Columns 2 and 3 (frequencies): a non-empty text is normalised in place (snapped to the
//   5 or 6.25 kHz grid, clamped to 136/470 MHz), and the caller shows the normalised text.
//   Column 2 always stores (enabled is ignored) and returns whether a frequency was stored
//   (false for an empty text); column 3 stores "none" when disabled and returns true.
// - Columns 4 and 5 (tones): the tone code; disabled or the off text (row 12) stores off.
// - Columns 6..9 (flag bits 13, 12, 14, 3): 0 for a zero-set text when enabled, else 1.
// - Column 10: enabled stores the leading integer minus 1 as a byte (empty stores 0xFF);
//   disabled leaves the signalling index alone.
// - Column 11: name bytes 0..6, case-folded, 0xFF from the first character that is not a
//   digit or letter on; disabled stores seven 0xFF.
// Columns 4..11 return true; column 1 and any other column store nothing and return false.
bool StoreCell(RadioImage& image, const LanguageTable& language, int n, int column, std::string& text, bool enabled);

}  // namespace radioprog
