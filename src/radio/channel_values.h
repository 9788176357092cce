// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Checks of channel values that come from outside the program (pasted cells, CSV files)
// before they go through the cell rules: only values the channel table itself could hold
// are let through, in the exact text its editors would hand over.
#include <optional>
#include <string>
#include <string_view>

#include "model/freq_codec.h"
#include "model/language_table.h"

namespace radioprog {

enum class FrequencyProblem { None, NotAFrequency, OutOfBand, OffRaster };

struct FrequencyCheck {
    FrequencyProblem problem = FrequencyProblem::None;
    FrequencyUnits units = 0;
};

// A decimal number of MHz ("145.125", "146.520000", "5"; blanks around it allowed) in units
// of 10 Hz; nullopt for anything else, or for a digit below 10 Hz that is not zero.
std::optional<FrequencyUnits> ParseMhz(std::string_view text);

// A frequency the channel table stores unchanged: MHz part 136..520 (the range its
// frequency normaliser leaves alone) and on the 5 kHz or 6.25 kHz raster.
FrequencyProblem CheckStorableFrequency(FrequencyUnits units);
// ParseMhz and CheckStorableFrequency together.
FrequencyCheck CheckFrequencyText(std::string_view text);

// "MMM.FFFFF", the frequency text of the grid (units below 1000 MHz).
std::string GridFrequencyText(FrequencyUnits units);
// "MMM.FFFFFF" in MHz with six decimals, as CSV files write frequencies.
std::string MhzText(FrequencyUnits units);

// The tone list entry a text names: an entry equal to the text when ASCII case is ignored
// (the off text, "88.5", "D023N", "d754i"), or a CTCSS entry of the same value ("100" for
// "100.0"). nullopt when the radio's tone lists have no such entry.
std::optional<std::string> ToneListEntry(std::string_view text, const std::string& offText);

// The CTCSS entry of a frequency in Hz ("88.5", "88.50"); nullopt when not in the list.
std::optional<std::string> CtcssEntry(std::string_view hz);
// The DCS number of the list for a text such as "23", "023" or "D023"; nullopt when the
// radio has no such code. The result is the list's three digits ("023").
std::optional<std::string> DcsNumber(std::string_view text);

}  // namespace radioprog
