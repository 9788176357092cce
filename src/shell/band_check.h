// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The check before every write: each frequency of the image must lie in one of the two
// bands the radio reports in its band-limit block (model/band_limits.h decodes it).
#include <cstdint>
#include <string>

#include "model/band_limits.h"
#include "model/language_table.h"
#include "model/radio_image.h"

namespace radioprog {

struct BandCheck {
    bool accepted = true;
    // For a refusal: the refusal text, a space, and the accepted ranges.
    std::string message;
    std::string refusal;  // row 1 + " n " + row 113, or row 74 + " A " / " B " + row 113
    std::string ranges;   // "<136.000~174.995 400.000~520.995>" of the bands compared
    // What was refused: a channel (0..127, as the channel table numbers it) or a VFO (0 = A,
    // 1 = B), its frequency code and whether it is the transmit frequency.
    int channel = -1;
    int vfo = -1;
    std::uint32_t frequency = 0;
    bool transmit = false;
};

// The detail line under a refusal: the refused frequency and, for a channel, its number in
// the channel table ("RX Freq 147.00000 MHz, channel table number 2"); empty when accepted.
std::string BandRefusalDetail(const BandCheck& check, const LanguageTable& language);

// Checks the receive and transmit frequency of every channel in order, then the receive
// frequency of VFO A and of VFO B; the first frequency outside its bands refuses the write.
// Codes that are not valid frequencies are not compared.
BandCheck CheckBandLimits(const RadioImage& image, const LanguageTable& language);

}  // namespace radioprog
