// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/batch_channels.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "model/ansi_text.h"
#include "model/channel_record.h"
#include "model/freq_codec.h"
#include "model/tone_codec.h"
#include "radio/channel_cells.h"

namespace radioprog {

namespace {

constexpr unsigned kFirstChannelNumber = 0;
constexpr unsigned kLastChannelNumber = kChannelCount - 1;
constexpr std::uint8_t kSignallingEntries = 15;
constexpr int kBatchNameBytes = 6;  // name bytes 0..5 are emptied; byte 6 keeps its value

std::vector<std::string> Rows(const LanguageTable& language, std::initializer_list<int> rows) {
    std::vector<std::string> texts;
    for (int row : rows) texts.push_back(language.row(row));
    return texts;
}

unsigned LimitChannelNumber(unsigned value) { return std::clamp(value, kFirstChannelNumber, kLastChannelNumber); }

// Rows 14, 15, 16 select the values 0, 1, 2 of flag bits 5-6; any other text selects 0.
unsigned PttIdValue(const std::string& text, const LanguageTable& language) {
    for (unsigned value = 0; value < 3; ++value)
        if (text == language.row(lang_row::kPttPress + static_cast<int>(value))) return value;
    return 0;
}

// Snaps the working text in place (so that the step is added to the stored frequency) and
// packs it; an empty text snaps to the lowest frequency.
std::uint32_t SnapAndPack(std::string& working) {
    SnapFreqText(working, kAnyStep);
    return PackFreqText(working);
}

}  // namespace

BatchSettings InitialBatchSettings(const LanguageTable& language) {
    BatchSettings settings;
    settings.rxTone = language.row(lang_row::kToneOff);
    settings.txTone = language.row(lang_row::kToneOff);
    settings.power = language.row(lang_row::kLow);
    settings.bandwidth = language.row(lang_row::kWide);
    settings.busyLockout = language.row(lang_row::kCarrier);
    settings.pttId = language.row(lang_row::kPttPress);
    return settings;
}

BatchChoices MakeBatchChoices(const LanguageTable& language) {
    BatchChoices choices;
    choices.tones = ToneListEntries(language.row(lang_row::kToneOff));
    choices.power = Rows(language, {lang_row::kHigh, lang_row::kLow});
    choices.bandwidth = Rows(language, {lang_row::kNarrow, lang_row::kWide});
    choices.busyLockout = Rows(language, {lang_row::kToneOff, lang_row::kCarrier});
    choices.pttId = Rows(language, {lang_row::kPttPress, lang_row::kPttRelease, lang_row::kPttBoth});
    choices.steps = {"100.0", "50.0", "25.0", "12.5", "10.0", "6.25", "5.00"};
    return choices;
}

unsigned ChannelNumberAfterArrow(unsigned value, int positionChange) {
    if (positionChange > 0) return value <= kFirstChannelNumber ? kFirstChannelNumber : LimitChannelNumber(value - 1);
    if (positionChange < 0) return value >= kLastChannelNumber ? kLastChannelNumber : LimitChannelNumber(value + 1);
    return value;
}

std::optional<unsigned> ParseChannelNumberField(std::string_view text) {
    std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text.substr(start)) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
        if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    return static_cast<unsigned>(value);
}

bool BatchRangeAccepted(const BatchSettings& settings) {
    return settings.scope == BatchScope::AllChannels ||
           (settings.firstChannel <= settings.lastChannel && settings.lastChannel <= kLastChannelNumber);
}

std::string BatchRangeRefusal(const LanguageTable& language) {
    return FillArguments(language.row(lang_row::kBatchRangeRefused),
                         {std::to_string(kFirstChannelNumber), std::to_string(kLastChannelNumber)});
}

std::optional<BatchRange> BatchChannelRange(const BatchSettings& settings) {
    if (!BatchRangeAccepted(settings)) return std::nullopt;
    if (settings.scope == BatchScope::AllChannels) return BatchRange{kFirstChannelNumber, kLastChannelNumber};
    return BatchRange{settings.firstChannel, settings.lastChannel};
}

std::optional<unsigned> BatchLeavesRange(const BatchSettings& settings) {
    const std::optional<BatchRange> range = BatchChannelRange(settings);
    if (!range) return std::nullopt;
    std::string step = AnsiPrefix(settings.step, kBatchTextLimit);
    StepKhzToMhzText(step);
    const bool subtract = settings.direction == BatchDirection::Subtract;
    std::string rx = AnsiPrefix(settings.rxStart, kBatchTextLimit);
    std::string tx = AnsiPrefix(settings.txStart, kBatchTextLimit);
    // Snapping moves a frequency in the radio's range by less than the finest grid; more than
    // that is the clamp to a limit.
    constexpr double kFinestGridMhz = 0.00625;
    auto clamped = [&](std::string& working) {
        const double typed = std::strtod(working.c_str(), nullptr);
        SnapFreqText(working, kAnyStep);
        return std::abs(std::strtod(working.c_str(), nullptr) - typed) > kFinestGridMhz;
    };
    for (unsigned number = range->first; number <= range->last; ++number) {
        const bool rxOut = !rx.empty() && clamped(rx);
        const bool txOut = !tx.empty() && clamped(tx);
        if (rxOut || txOut) return number;
        OffsetFreqText(rx, step, subtract);
        OffsetFreqText(tx, step, subtract);
    }
    return std::nullopt;
}

std::string BatchLeavesRangeRefusal(unsigned channel, const LanguageTable& language) {
    return FillArguments(language.row(lang_row::kBatchLeavesRange), {std::to_string(channel)});
}

std::optional<BatchRange> ApplyBatch(RadioImage& image, const LanguageTable& language, const BatchSettings& settings) {
    const std::optional<BatchRange> range = BatchChannelRange(settings);
    if (!range || BatchLeavesRange(settings)) return std::nullopt;
    std::string step = AnsiPrefix(settings.step, kBatchTextLimit);
    StepKhzToMhzText(step);
    std::string rxWorking = AnsiPrefix(settings.rxStart, kBatchTextLimit);
    std::string txWorking = AnsiPrefix(settings.txStart, kBatchTextLimit);
    bool subtract = settings.direction == BatchDirection::Subtract;

    const std::string& offText = language.row(lang_row::kToneOff);
    std::uint16_t rxTone = ToneTextToCode(settings.rxTone, true, offText);
    std::uint16_t txTone = ToneTextToCode(settings.txTone, true, offText);
    unsigned pttId = PttIdValue(settings.pttId, language);

    for (unsigned number = range->first; number <= range->last; ++number) {
        ChannelRef channel(image, static_cast<int>(number));
        channel.setRxFrequency(SnapAndPack(rxWorking));
        channel.setTxFrequency(SnapAndPack(txWorking));
        channel.setRxTone(rxTone);
        channel.setTxTone(txTone);
        channel.setFlag(channel_flag::kPower, !IsZeroFlagText(settings.power, language));
        channel.setFlag(channel_flag::kBandwidth, !IsZeroFlagText(settings.bandwidth, language));
        channel.setFlag(channel_flag::kBusyLockout, !IsZeroFlagText(settings.busyLockout, language));
        channel.setFlag(channel_flag::kBit14, settings.bit14);
        channel.setFlag(channel_flag::kPttIdLow, pttId & 1u);
        channel.setFlag(channel_flag::kPttIdLow + 1, (pttId >> 1) & 1u);
        for (int i = 0; i < kBatchNameBytes; ++i) channel.setNameByte(i, 0xFF);
        // A channel without a signalling entry gets the first, as a typed new channel does.
        if (channel.signalling() >= kSignallingEntries) channel.setSignalling(0);
        OffsetFreqText(rxWorking, step, subtract);
        OffsetFreqText(txWorking, step, subtract);
    }
    return range;
}

}  // namespace radioprog
