// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/channel_record.h"

#include "model/ascii_text.h"
#include "model/freq_codec.h"

namespace radioprog {

std::uint8_t NameCharToCode(char c) {
    if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
    c = ToUpperAscii(c);
    if (c >= 'A' && c <= 'Z') return static_cast<std::uint8_t>(10 + (c - 'A'));
    return 0xFF;
}

std::string DecodeChannelName(const std::uint8_t* nameEntry) {
    std::string name;
    for (int i = 0; i < kChannelNameLength; ++i) {
        std::uint8_t b = nameEntry[i];
        if (b <= 9)
            name += static_cast<char>('0' + b);
        else if (b <= 35)
            name += static_cast<char>('A' + (b - 10));
        else
            break;
    }
    return name;
}

bool ChannelInUse(const RadioImage& image, int n) {
    return IsBcdValid(ReadLe32(image.channel(n) + channel_field::kRxFrequency));
}

}  // namespace radioprog
