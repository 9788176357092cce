// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Frequency codes: eight packed BCD digits in a 32-bit value, 10 Hz resolution
// (0x14512500 = 145.12500 MHz); 0xFFFFFFFF = no frequency. Texts are "MMM.FFFFF".
#include <cstdint>
#include <string>

namespace radioprog {

inline constexpr std::uint32_t kNoFrequency = 0xFFFFFFFFu;
// Frequencies in units of 10 Hz (the code's resolution): 145.125 MHz = 14512500.
using FrequencyUnits = long long;
// Step index that snaps to the nearer-below of the 5 kHz and 6.25 kHz grids.
inline constexpr int kAnyStep = -1;

// Normalises a typed frequency: below 136 MHz gives "136.00000", above 520 "470.00000";
// the fraction is padded to five digits and snapped down to the step of stepIndex
// (0..6: 5, 6.25, 10, 12.5, 25, 50, 100 kHz; any other value: 5 or 6.25 kHz).
void SnapFreqText(std::string& text, int stepIndex);

// Snaps (any step) and packs the text; disabled or empty gives kNoFrequency.
std::uint32_t FreqTextToBcd(const std::string& text, bool enabled);
// Packs a text that SnapFreqText has normalised (digits 0-2 and 4-8).
std::uint32_t PackFreqText(const std::string& snapped);

// The code's eight digits as a number of 10 Hz units. A nibble above 9 weighs as its value
// (0xA = 10), as the radio software always weighed it: 0x1A000000 = 20000000.
FrequencyUnits BcdToUnits(std::uint32_t code);
// Eight packed BCD digits for 0 <= units <= 99999999 (the inverse of BcdToUnits there).
std::uint32_t UnitsToBcd(FrequencyUnits units);

// True when the four least significant nibbles are decimal digits.
bool IsBcdValid(std::uint32_t code);

// "%.5f" of the frequency in MHz; false and an empty text when the code is not valid.
bool BcdToFreqText(std::uint32_t code, std::string& text);
// The frequency in MHz as a double (the value BcdToFreqText formats).
double BcdToMhz(std::uint32_t code);

// A step in kHz ("12.5") as MHz text ("0.01250"), floored to 250 Hz.
void StepKhzToMhzText(std::string& text);

// Shifts a frequency text by an offset in MHz ("0.01250", "5"), adding or subtracting.
void OffsetFreqText(std::string& text, const std::string& offsetMhz, bool subtract);

}  // namespace radioprog
