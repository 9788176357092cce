// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frequency-mode entries A and B: the VfoEntry (frequency, tones, flags, signalling,
// band) and the OffsetEntry (repeater offset), with the texts the form shows for them.
#include <cstdint>
#include <string>
#include <vector>

#include "model/channel_record.h"

namespace radioprog {

// A VfoEntry is laid out like a channel's record (frequencies, tones, flag word, signalling),
// with the band in its last byte.
namespace vfo_field {
using namespace channel_field;
inline constexpr int kBand = 15;
}  // namespace vfo_field

namespace vfo_flag {
using namespace channel_flag;
inline constexpr int kHiddenFieldLow = channel_flag::kPttIdLow;  // bits 5-6: no visible control
}  // namespace vfo_flag

inline constexpr int kVfoSideA = 0;
inline constexpr int kVfoSideB = 1;

// Repeater offsets: entry i is 50 * i kHz.
inline constexpr int kOffsetCount = 1400;
inline constexpr int kOffsetStepKhz = 50;

// "00.000", "00.050", ... "69.950".
const std::vector<std::string>& OffsetTexts();
// The offset list index an OffsetEntry loads as: its five digit bytes as kHz, div 50, or 0
// from 70000 kHz on.
int OffsetIndexFromEntry(const std::uint8_t* entry);
// Writes bytes 1..6 of an OffsetEntry: the five digits of 50 * index and the end mark 0.
// An index outside the list writes offset 0.
void WriteOffsetIndex(std::uint8_t* entry, int index);

// The band (0 VHF, 1 UHF) of a frequency text "MMM.FFFFF": UHF from 300 MHz on.
int VfoBandOfFrequency(const std::string& frequencyText);

// Range text shown after loading: band 0 (VHF) "136-260.0000", any other "400-520.0000".
std::string LoadedRangeText(int band);
// Range and frequency texts a band change shows; false for a band other than 0 or 1.
struct BandTexts {
    std::string range;
    std::string frequency;
};
bool BandChangeTexts(int side, int band, BandTexts& texts);

// A typed or pasted frequency is accepted while it has at most 9 characters, all digits and
// at most one point (the rule of every frequency field).
bool FreqEditAccepts(const std::string& text);

// The channel-step grid (in 10 Hz) of the step selection 0..5 ("2.5" ... "25" kHz), 0 for
// any other selection.
int StepGrid(int stepSelection);
// Normalises a typed frequency the way the form stores it: clamped into 136..520 MHz like
// every frequency, then snapped down to the grid of the step list's shown text; with no
// step shown, to the 5 / 6.25 kHz grid. Leading zeros are dropped first, so the result is
// always "MMM.FFFFF".
std::string SnapVfoFreqText(const std::string& typed, int stepSelection);

}  // namespace radioprog
