// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An image whose channels cover every kind of value the channel table can hold, typed in
// through the grid's commit: each tone combination (CTCSS and DCS normal or inverted, one
// way or both), transmit frequencies equal, shifted, in the other band and off, both states
// of every flag, names and signalling numbers; empty channels in between and channels 0 and
// 127 in use.
#include <string>
#include <vector>

#include "editors/channel_commit.h"
#include "editors/channel_fixture.h"
#include "radio/channel_cells.h"

namespace radioprog::testing {

struct TypedChannel {
    int channel;
    // Cell texts for columns 2..11; "-" leaves the new-channel value, "" empties the cell.
    std::vector<std::string> cells;
};

// Texts of DistinctRows(): power r2/r3, bandwidth r10/r11, bit 14 r4/r5, lockout OFF/r13.
inline const std::vector<TypedChannel>& VariedChannels() {
    static const std::vector<TypedChannel> channels = {
        {0, {"145.6", "145.0", "OFF", "88.5", "r2", "r11", "r5", "OFF", "1", "RPT1"}},
        {2, {"146.52", "146.52", "100.0", "100.0", "r3", "r10", "r4", "r13", "5", "SIMPLEX"}},
        {3, {"438.5", "145.5", "67.0", "254.1", "-", "-", "-", "-", "15", "X"}},
        {4, {"439.0", "", "D023N", "OFF", "-", "-", "-", "-", "-", ""}},
        {6, {"446.00625", "446.00625", "D754I", "D754I", "r3", "-", "-", "-", "2", "PMR1"}},
        {7, {"430.0", "439.0", "D023N", "D023I", "-", "r10", "-", "-", "-", "A"}},
        {8, {"145.0", "145.0", "D025N", "D026I", "-", "-", "-", "r13", "-", "-"}},
        {9, {"145.1", "145.1", "OFF", "D031N", "-", "-", "-", "-", "-", "-"}},
        {10, {"145.2", "145.2", "71.9", "OFF", "-", "-", "-", "-", "-", "-"}},
        {11, {"145.3", "", "D032I", "123.0", "-", "-", "r4", "-", "-", "-"}},
        {12, {"145.4", "144.0", "241.8", "D043N", "-", "-", "-", "-", "-", "-"}},
        {127, {"520.995", "136.0", "OFF", "OFF", "r3", "r10", "r4", "r13", "9", "Z9ZZZZZ"}},
    };
    return channels;
}

inline void TypeChannel(RadioImage& image, const LanguageTable& language, const TypedChannel& typed) {
    ChannelRow row = ChannelToRow(image, language, typed.channel);
    for (std::size_t i = 0; i < typed.cells.size(); ++i)
        if (typed.cells[i] != "-")
            CommitCell(image, language, typed.channel, static_cast<int>(i) + column::kRxFrequency, typed.cells[i], row);
}

inline RadioImage VariedImage(const LanguageTable& language) {
    RadioImage image = DefaultImage();
    for (const TypedChannel& typed : VariedChannels()) TypeChannel(image, language, typed);
    return image;
}

}  // namespace radioprog::testing
