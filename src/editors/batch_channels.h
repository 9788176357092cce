// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The batch channel dialog's rules: its values and lists, the channel-number arrows, the
// channel range, and filling the channels of that range.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/language_table.h"
#include "model/radio_image.h"

namespace radioprog {

// Longest text of the start frequency fields and of the step field (counted as the code page counts).
inline constexpr std::size_t kBatchTextLimit = 15;

enum class BatchScope { AllChannels, Range };
enum class BatchDirection { Add, Subtract };

// What the dialog's controls hold; list values are the selected (or typed) texts.
struct BatchSettings {
    std::string rxStart = "405.02500";
    std::string txStart = "405.02500";
    unsigned firstChannel = 0;  // as the channel table numbers them, 0..127
    unsigned lastChannel = 0;
    BatchScope scope = BatchScope::AllChannels;
    BatchDirection direction = BatchDirection::Add;
    bool bit14 = true;
    std::string rxTone;         // tone list text
    std::string txTone;         // tone list text
    std::string power;          // rows 2, 3
    std::string bandwidth;      // rows 10, 11
    std::string busyLockout;    // rows 12, 13
    std::string pttId;          // rows 14, 15, 16
    std::string step = "25.0";  // kHz, chosen or typed

    // The channel-number fields and their arrows are enabled only for a range.
    bool rangeEnabled() const { return scope == BatchScope::Range; }
};

// The values a newly opened dialog shows: both tones off, power row 3, bandwidth row 11,
// lockout row 13, selector row 14.
BatchSettings InitialBatchSettings(const LanguageTable& language);

// The entries of the dialog's lists, in list order.
struct BatchChoices {
    std::vector<std::string> tones;  // for both tone lists
    std::vector<std::string> power;
    std::vector<std::string> bandwidth;
    std::vector<std::string> busyLockout;
    std::vector<std::string> pttId;
    std::vector<std::string> steps;  // "100.0" ... "5.00"
};
BatchChoices MakeBatchChoices(const LanguageTable& language);

// A channel-number arrow: positionChange is what the arrow control reports (its up arrow
// reports a negative change, which makes the number larger). The result is within 0..127.
unsigned ChannelNumberAfterArrow(unsigned value, int positionChange);

// The value of a channel-number field: decimal digits after optional leading blanks, at most
// the largest 32-bit number; nullopt for anything else (the dialog then asks for a number).
std::optional<unsigned> ParseChannelNumberField(std::string_view text);

// Channel numbers as the table shows them (0..127), inclusive.
struct BatchRange {
    unsigned first;
    unsigned last;
    bool operator==(const BatchRange&) const = default;
};
// All channels are always accepted; a range only when first <= last <= 127. Nothing is
// clamped: a range outside is refused with BatchRangeRefusal's message.
bool BatchRangeAccepted(const BatchSettings& settings);
std::string BatchRangeRefusal(const LanguageTable& language);

// The first channel (0..127) whose receive or transmit frequency the steps carry outside what
// the radio takes, where it would be stored as the nearest limit (Step Down from 136.05 MHz in
// 25 kHz steps: the third channel); nullopt when every channel gets its own step. Such a batch
// is refused with BatchLeavesRangeRefusal's message, which names that channel.
std::optional<unsigned> BatchLeavesRange(const BatchSettings& settings);
std::string BatchLeavesRangeRefusal(unsigned channel, const LanguageTable& language);
// All channels: 0..127. Range: the two numbers; nullopt when the range is refused.
std::optional<BatchRange> BatchChannelRange(const BatchSettings& settings);

// Fills the channels of the range with consecutive frequencies from the start texts (each
// next channel one step further in the chosen direction), the chosen tones and flags, and
// an empty name. A signalling index the list names, byte 15, the other flag bits and name
// byte 6 and up keep their values; a channel without a signalling index gets the first.
// Returns the range filled; nullopt (and nothing changed) when the range is refused or the
// steps leave the radio's frequencies (BatchLeavesRange).
std::optional<BatchRange> ApplyBatch(RadioImage& image, const LanguageTable& language, const BatchSettings& settings);

}  // namespace radioprog
