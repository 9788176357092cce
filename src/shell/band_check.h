#pragma once
// The check before every write: each frequency of the image must lie in one of the two
// bands the radio reports in its band-limit block.
#include <cstdint>
#include <string>

#include "model/language_table.h"
#include "model/radio_image.h"

namespace radioprog {

// The radio's limits in whole MHz; index 0 is the first band, 1 the second.
struct BandLimits {
    int rxLower[2];
    int rxUpper[2];
    int txLower[2];
    int txUpper[2];
};

// Four BCD digits, high digits first (0x01 0x36 = 136). The value is read the way the radio
// software always has: its hexadecimal spelling parsed as a decimal number, so a non-decimal
// digit ends the number (0x1A00 = 1, 0xFFFF = 0).
int DecodeBandLimit(std::uint8_t high, std::uint8_t low);
BandLimits DecodeBandLimits(const RadioImage& image);

// True when the frequency code lies in [lower, upper + 0.995] MHz of either band. Compared
// exactly in 10 Hz units.
bool InBands(std::uint32_t code, const int lower[2], const int upper[2]);

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
