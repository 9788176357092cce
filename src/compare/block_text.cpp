// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/block_text.h"

#include <cstdio>

#include "model/radio_image.h"

namespace radioprog {

namespace {

constexpr std::uint16_t kChannelMemoryEnd = 0x0800;  // 128 channels of 16 bytes
constexpr std::uint16_t kChannelNameAddress = 0x1000;
constexpr std::uint16_t kChannelNameEnd = 0x1800;
constexpr std::size_t kChannelBytes = 16;

std::string Hex(std::uint16_t address) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(address));
    return text;
}

std::string Channels(unsigned first, std::size_t size, const LanguageTable& language) {
    unsigned last = first + static_cast<unsigned>((size > 0 ? size - 1 : 0) / kChannelBytes);
    if (last > static_cast<unsigned>(kChannelCount - 1)) last = kChannelCount - 1;
    std::string text = language.row(lang_row::kChannelNumber) + " " + std::to_string(first);
    if (last != first) text += "-" + std::to_string(last);
    return text;
}

bool Within(std::uint16_t address, std::uint16_t start, std::size_t length) {
    return address >= start && address < start + length;
}

}  // namespace

std::string BlockText(std::uint16_t address, std::size_t size, const LanguageTable& language) {
    if (address < kChannelMemoryEnd) return Channels(address / kChannelBytes, size, language);
    if (address >= kChannelNameAddress && address < kChannelNameEnd)
        return Channels((address - kChannelNameAddress) / kChannelBytes, size, language) + " " +
               language.row(lang_row::kName);
    if (Within(address, kDtmfAddress, 256)) return language.row(lang_row::kDtmfSettings);
    if (Within(address, kVfoAddress, 32)) {
        if (address == kVfoAddress && size > 16)
            return language.row(lang_row::kVfoA) + "/" + language.row(lang_row::kVfoB);
        return language.row(lang_row::kVfoA + (address - kVfoAddress) / 16);
    }
    if (Within(address, kBandLimitAddress, 64)) return language.row(lang_row::kBandLimitsBlock);
    if (Within(address, kSettingsAddress, 64) || Within(address, kSecondSettingsAddress, 64))
        return language.row(lang_row::kOptionalFunctions);
    return Hex(address);
}

}  // namespace radioprog
