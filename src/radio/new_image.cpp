// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/new_image.h"

#include <algorithm>
#include <vector>

#include "radio/settings_table.h"

namespace radioprog {

namespace {

struct ByteRun {
    std::uint16_t address;
    std::vector<std::uint8_t> bytes;
};

// The bytes of the settings block that no row of the settings table describes, as a new
// image has always held them (any byte named neither here nor by a row is 0xFF). A row for
// one of these bytes takes it over: its default wins.
const std::vector<ByteRun>& SettingsBytesWithoutRow() {
    static const std::vector<ByteRun> runs = {
        {0x0E28, {0x01, 0x01, 0x00, 0x01, 0x01}},  // 0x0E2A/0x0E2B: the DTMF form's send on press/release
        {0x0E32, {0x01, 0x03}},
        {0x0E3A, {0x00, 0x03, 0x03}},  // 0x0E3B/0x0E3C: the DTMF form's duration and pause
        {0x0E41, {0x00}},
        {0x0E50, {0x20, 0x20, 0x20, 0x20, 0x20, 0x20}},  // the six-character text: spaces
        {0x0E5A, {0x08, 0x08, 0x08, 0x08, 0x08}},        // the DTMF form's local id
    };
    return runs;
}

}  // namespace

std::array<std::uint8_t, kSettingsBlockSize> NewSettingsBlock() {
    std::array<std::uint8_t, kSettingsBlockSize> block;
    block.fill(0xFF);
    for (const ByteRun& run : SettingsBytesWithoutRow())
        std::copy(run.bytes.begin(), run.bytes.end(), block.begin() + (run.address - kSettingsAddress));
    for (const SettingRow& row : SettingsTable())
        block[row.address - kSettingsAddress] = StoreSettingValue(row.defaultValue);
    return block;
}

void WriteNewImage(RadioImage& image) {
    image.ApplyDefaults();
    const auto block = NewSettingsBlock();
    std::copy(block.begin(), block.end(), image.blockData(BlockId::Settings));
}

}  // namespace radioprog
