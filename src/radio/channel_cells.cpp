// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/channel_cells.h"

#include "model/channel_record.h"
#include "model/freq_codec.h"
#include "model/tone_codec.h"

namespace radioprog {

namespace {

constexpr FlagColumn kFlagColumns[] = {
    {column::kPower, 13, lang_row::kLow, lang_row::kHigh},
    {column::kBandwidth, 12, lang_row::kNarrow, lang_row::kWide},
    {column::kBit14, 14, lang_row::kNo, lang_row::kYes},
    {column::kBusyLockout, 3, lang_row::kToneOff, lang_row::kCarrier},
};

}  // namespace

const FlagColumn* FindFlagColumn(int column) {
    for (const FlagColumn& flag : kFlagColumns)
        if (flag.column == column) return &flag;
    return nullptr;
}

bool IsZeroFlagText(const std::string& text, const LanguageTable& language) {
    for (int row : {lang_row::kLow, lang_row::kNo, lang_row::kNarrow, lang_row::kToneOff})
        if (text == language.row(row)) return true;
    return false;
}

const std::array<int, kChannelColumnCount>& ChannelHeaderRows() {
    static constexpr std::array<int, kChannelColumnCount> rows = {
        lang_row::kChannelNumber, lang_row::kBand,        lang_row::kRxFrequency, lang_row::kTxFrequency,
        lang_row::kRxTone,        lang_row::kTxTone,      lang_row::kTxPower,     lang_row::kBandwidth,
        lang_row::kScanAdd,       lang_row::kBusyLockout, lang_row::kSignalling,  lang_row::kName};
    return rows;
}

ChannelRow ChannelToRow(const RadioImage& image, const LanguageTable& language, int n) {
    ChannelRow row;
    ChannelView channel(image, n);
    row[column::kNumber] = std::to_string(n);
    bool inUse = BcdToFreqText(channel.rxFrequency(), row[column::kRxFrequency]);
    BcdToFreqText(channel.txFrequency(), row[column::kTxFrequency]);
    const std::string& offText = language.row(lang_row::kToneOff);
    row[column::kRxTone] = ToneCodeToText(channel.rxTone(), inUse, offText);
    row[column::kTxTone] = ToneCodeToText(channel.txTone(), inUse, offText);
    if (!inUse) return row;

    for (const FlagColumn& flag : kFlagColumns)
        row[static_cast<std::size_t>(flag.column)] = language.row(channel.flag(flag.bit) ? flag.rowFor1 : flag.rowFor0);
    row[column::kBand] = kBandText;
    if (channel.signalling() <= 14) row[column::kSignalling] = std::to_string(channel.signalling() + 1);
    row[column::kName] = DecodeChannelName(channel.nameEntry());
    return row;
}

}  // namespace radioprog
