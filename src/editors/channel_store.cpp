// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/channel_store.h"

#include <cstdlib>

#include "model/channel_record.h"
#include "model/freq_codec.h"
#include "model/tone_codec.h"
#include "radio/channel_cells.h"

namespace radioprog {

namespace {

// Normalises a typed frequency so the cell shows what is stored; an empty text stays empty.
std::uint32_t StoreFrequencyText(std::string& text, bool enabled) {
    if (!text.empty()) SnapFreqText(text, kAnyStep);
    return FreqTextToBcd(text, enabled);
}

void StoreName(ChannelRef& channel, const std::string& text, bool enabled) {
    bool ended = !enabled;
    for (int i = 0; i < kChannelNameLength; ++i) {
        auto position = static_cast<std::size_t>(i);
        std::uint8_t code = ended || position >= text.size() ? 0xFF : NameCharToCode(text[position]);
        if (code == 0xFF) ended = true;
        channel.setNameByte(i, code);
    }
}

}  // namespace

bool StoreCell(RadioImage& image, const LanguageTable& language, int n, int column, std::string& text, bool enabled) {
    ChannelRef channel(image, n);
    const std::string& offText = language.row(lang_row::kToneOff);
    switch (column) {
    case column::kRxFrequency: {
        std::uint32_t code = StoreFrequencyText(text, true);
        channel.setRxFrequency(code);
        return code != kNoFrequency;
    }
    case column::kTxFrequency: channel.setTxFrequency(StoreFrequencyText(text, enabled)); return true;
    case column::kRxTone: channel.setRxTone(ToneTextToCode(text, enabled, offText)); return true;
    case column::kTxTone: channel.setTxTone(ToneTextToCode(text, enabled, offText)); return true;
    case column::kSignalling:
        if (enabled) {
            // Unsigned arithmetic: the byte wraps (an empty text stores 0xFF) without overflow.
            auto value = static_cast<unsigned long>(std::strtol(text.c_str(), nullptr, 10));
            channel.setSignalling(static_cast<std::uint8_t>(value - 1u));
        }
        return true;
    case column::kName: StoreName(channel, text, enabled); return true;
    default: break;
    }
    if (const FlagColumn* flag = FindFlagColumn(column)) {
        channel.setFlag(flag->bit, !(enabled && IsZeroFlagText(text, language)));
        return true;
    }
    return false;
}

}  // namespace radioprog
