// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/band_check.h"

#include <algorithm>
#include <cstdio>

#include "model/byte_order.h"
#include "model/channel_record.h"
#include "model/extra_rows.h"
#include "model/freq_codec.h"

namespace radioprog {

namespace {

std::string RangesText(const int lower[2], const int upper[2]) {
    char text[96];
    std::snprintf(text, sizeof text, "<%.3f~%.3f %.3f~%.3f>", static_cast<double>(lower[0]), upper[0] + 0.995,
                  static_cast<double>(lower[1]), upper[1] + 0.995);
    return text;
}

std::string FrequencyText(std::uint32_t code) {
    std::string text;
    BcdToFreqText(code, text);
    return text + " MHz";
}

// "Channel 5" as the channel table numbers it, or "Current frequency A".
std::string WhatText(const BandRefusal& what, const LanguageTable& language) {
    if (what.channel >= 0) return language.row(lang_row::kChannel) + " " + std::to_string(what.channel);
    return language.row(lang_row::kVfoFrequency) + (what.vfo == 0 ? " A" : " B");
}

}  // namespace

BandCheck CheckBandLimits(const RadioImage& image, const LanguageTable& language) {
    const BandLimits limits = DecodeBandLimits(image);
    std::vector<BandRefusal> refused;
    for (int n = 0; n < kChannelCount; ++n) {
        ChannelView channel(image, n);
        std::uint32_t rx = channel.rxFrequency();
        std::uint32_t tx = channel.txFrequency();
        if (IsBcdValid(rx) && !InBands(rx, limits.rxLower, limits.rxUpper))
            refused.push_back({n, -1, rx, false});
        else if (IsBcdValid(tx) && !InBands(tx, limits.txLower, limits.txUpper))
            refused.push_back({n, -1, tx, true});
    }
    // Only the receive frequencies of the two VFOs are compared.
    for (int side = 0; side < 2; ++side) {
        std::uint32_t rx = ReadLe32(image.vfoEntry(side));
        if (IsBcdValid(rx) && !InBands(rx, limits.rxLower, limits.rxUpper)) refused.push_back({-1, side, rx, false});
    }
    if (refused.empty()) return {};

    BandCheck check;
    check.accepted = false;
    const BandRefusal& first = refused.front();
    check.channel = first.channel;
    check.vfo = first.vfo;
    check.frequency = first.frequency;
    check.transmit = first.transmit;
    check.refusal = WhatText(first, language) + " (" + FrequencyText(first.frequency) + ") " +
                    language.row(lang_row::kOutsideBands);
    // The ranges the first refused frequency was compared with.
    check.ranges =
        first.transmit ? RangesText(limits.txLower, limits.txUpper) : RangesText(limits.rxLower, limits.rxUpper);
    check.message = check.refusal + " " + check.ranges;
    check.refused = std::move(refused);
    return check;
}

std::string BandRefusalDetail(const BandCheck& check, const LanguageTable& language) {
    if (check.accepted) return {};
    std::string detail;
    const std::size_t listed = std::min(check.refused.size(), kListedRefusals);
    for (std::size_t i = 0; i < listed; ++i) {
        const BandRefusal& what = check.refused[i];
        if (!detail.empty()) detail += "\n";
        detail += WhatText(what, language) + ": " +
                  language.row(what.transmit ? lang_row::kTxFrequency : lang_row::kRxFrequency) + " " +
                  FrequencyText(what.frequency);
    }
    if (check.refused.size() > listed) {
        std::string more = language.row(lang_row::kMoreRefused);
        const std::size_t mark = more.find("%1");
        if (mark != std::string::npos) more.replace(mark, 2, std::to_string(check.refused.size() - listed));
        detail += "\n" + more;
    }
    return detail;
}

}  // namespace radioprog
