// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The radio's general settings: one row per byte of the settings block that the
// optional-functions form shows, with its control, caption, choices, load rule and default.
#include <cstdint>
#include <vector>

#include "radio/settings_layout.h"

namespace radioprog {

// How a stored byte becomes a selection index or check state. Storing always writes the
// whole byte.
enum class LoadRule {
    Modulo,     // byte mod modulus
    LowBits,    // bits 0-1
    Bit0,       // bit 0
    WholeByte,  // the byte unchanged
};

struct SettingRow {
    std::uint16_t address;  // radio address in the settings block 0x0E20..0x0E5F
    FormControl control;    // List, Check or RadioButton (the first of the work-mode pair)
    FormControl caption;    // Label; id 0 and no row when the control carries its own caption
    LoadRule load;
    int modulus;       // LoadRule::Modulo only
    int defaultValue;  // index or check state a new image loads as (its byte: StoreSettingValue)
};

const std::vector<SettingRow>& SettingsTable();
// The row whose control is `control`, or nullptr.
const SettingRow* FindSettingRow(int control);

// The selection index / check state / radio index the byte loads as, before the list's
// entries are considered (an index without entry selects nothing: see LoadSettingValue).
int ApplyLoadRule(const SettingRow& row, std::uint8_t byte);
// ApplyLoadRule, then -1 for a list index or radio index that has no entry.
int LoadSettingValue(const SettingRow& row, std::uint8_t byte);
// The whole byte written for a value: its low byte (-1 gives 0xFF).
std::uint8_t StoreSettingValue(int value);

}  // namespace radioprog
