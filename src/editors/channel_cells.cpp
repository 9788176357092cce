#include "editors/channel_cells.h"

#include "model/channel_record.h"
#include "model/freq_codec.h"
#include "model/tone_codec.h"

namespace radioprog {

namespace {

constexpr FlagColumn kFlagColumns[] = {
    {column::kPower, 13, 3, 2},
    {column::kBandwidth, 12, 10, 11},
    {column::kBit14, 14, 4, 5},
    {column::kBusyLockout, 3, 12, 13},
};

}  // namespace

const FlagColumn* FindFlagColumn(int column) {
    for (const FlagColumn& flag : kFlagColumns)
        if (flag.column == column) return &flag;
    return nullptr;
}

bool IsZeroFlagText(const std::string& text, const LanguageTable& language) {
    for (int row : {3, 4, 10, 12})
        if (text == language.row(row)) return true;
    return false;
}

const std::array<int, kChannelColumnCount>& ChannelHeaderRows() {
    static constexpr std::array<int, kChannelColumnCount> rows = {17, 155, 18, 19, 20, 21, 22, 24, 23, 25, 156, 26};
    return rows;
}

ChannelRow ChannelToRow(const RadioImage& image, const LanguageTable& language, int n) {
    ChannelRow row;
    ChannelView channel(image, n);
    row[column::kNumber] = std::to_string(n);
    bool inUse = BcdToFreqText(channel.rxFrequency(), row[column::kRxFrequency]);
    BcdToFreqText(channel.txFrequency(), row[column::kTxFrequency]);
    const std::string& offText = language.row(kOffTextRow);
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
