// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The DTMF form's layout: 384 x 256 dialog units in "System" 10, a code table of 16 rows
// (group number and code; the last row hidden) and the other controls.
#include <vector>

#include "radio/control_ids.h"
#include "radio/settings_layout.h"

namespace radioprog {

inline constexpr int kDtmfFormWidth = 384;
inline constexpr int kDtmfFormHeight = 256;
inline constexpr const char* kDtmfFormFont = "System";
inline constexpr int kDtmfFormFontPoints = 10;

// One row of the code table: a read-only centred number edit and a centred code edit.
struct DtmfTableRow {
    FormControl number;
    FormControl code;
};

// Rows 1..16 in order; row 16 (both controls hidden) is bound to nothing.
const std::vector<DtmfTableRow>& DtmfCodeTable();
// Every other control, captions given as language rows.
const std::vector<FormControl>& DtmfLayout();

}  // namespace radioprog
