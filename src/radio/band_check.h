// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The check before every write: each frequency of the image must lie in one of the two
// bands the radio reports in its band-limit block (model/band_limits.h decodes it).
#include <cstdint>
#include <string>
#include <vector>

#include "model/band_limits.h"
#include "model/language_table.h"
#include "model/radio_image.h"

namespace radioprog {

// One frequency outside the bands: a channel (0..127, as the channel table numbers it) or a
// VFO (0 = A, 1 = B), its frequency code and whether it is the transmit frequency.
struct BandRefusal {
    int channel = -1;
    int vfo = -1;
    std::uint32_t frequency = 0;
    bool transmit = false;
};

struct BandCheck {
    bool accepted = true;
    // For a refusal: the refusal text, a space, and the accepted ranges.
    std::string message;
    // "Channel 5 (147.00000 MHz) is outside the radio's bands", or the same for VFO A / B.
    std::string refusal;
    std::string ranges;  // "<136.000~174.995 400.000~520.995>" of the bands compared
    // The first refusal (the one the headline names) ...
    int channel = -1;
    int vfo = -1;
    std::uint32_t frequency = 0;
    bool transmit = false;
    // ... and every one: each channel once (its receive frequency before its transmit one),
    // then the VFOs.
    std::vector<BandRefusal> refused;
};

// How many refusals the detail lists before "and N more".
inline constexpr std::size_t kListedRefusals = 10;

// The detail under a refusal: one line per refused channel or VFO ("Channel 2: RX Freq
// 147.00000 MHz"), at most kListedRefusals, then "and N more"; empty when accepted.
std::string BandRefusalDetail(const BandCheck& check, const LanguageTable& language);

// Checks the receive and transmit frequency of every channel in order, then the receive
// frequency of VFO A and of VFO B; any frequency outside its bands refuses the write, and
// the first one is named in the headline.
// Codes that are not valid frequencies are not compared.
BandCheck CheckBandLimits(const RadioImage& image, const LanguageTable& language);

}  // namespace radioprog
