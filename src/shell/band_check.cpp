// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/band_check.h"

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

struct Refused {
    int channel;
    int vfo;
    std::uint32_t frequency;
    bool transmit;
};

BandCheck Refuse(const std::string& refusal, const int lower[2], const int upper[2], Refused what) {
    BandCheck check;
    check.accepted = false;
    check.channel = what.channel;
    check.vfo = what.vfo;
    check.frequency = what.frequency;
    check.transmit = what.transmit;
    check.refusal = refusal;
    check.ranges = RangesText(lower, upper);
    check.message = check.refusal + " " + check.ranges;
    return check;
}

std::string ChannelRefusal(const LanguageTable& language, int n) {
    return language.row(lang_row::kChannel) + " " + std::to_string(n + 1) + " " + language.row(lang_row::kOutsideBands);
}

}  // namespace

BandCheck CheckBandLimits(const RadioImage& image, const LanguageTable& language) {
    const BandLimits limits = DecodeBandLimits(image);
    for (int n = 0; n < kChannelCount; ++n) {
        ChannelView channel(image, n);
        std::uint32_t rx = channel.rxFrequency();
        if (IsBcdValid(rx) && !InBands(rx, limits.rxLower, limits.rxUpper))
            return Refuse(ChannelRefusal(language, n), limits.rxLower, limits.rxUpper, {n, -1, rx, false});
        std::uint32_t tx = channel.txFrequency();
        if (IsBcdValid(tx) && !InBands(tx, limits.txLower, limits.txUpper))
            return Refuse(ChannelRefusal(language, n), limits.txLower, limits.txUpper, {n, -1, tx, true});
    }
    // Only the receive frequencies of the two VFOs are compared.
    const char* sides[2] = {" A ", " B "};
    for (int side = 0; side < 2; ++side) {
        std::uint32_t rx = ReadLe32(image.vfoEntry(side));
        if (IsBcdValid(rx) && !InBands(rx, limits.rxLower, limits.rxUpper))
            return Refuse(language.row(lang_row::kVfoFrequency) + sides[side] + language.row(lang_row::kOutsideBands),
                          limits.rxLower, limits.rxUpper, {-1, side, rx, false});
    }
    return {};
}

std::string BandRefusalDetail(const BandCheck& check, const LanguageTable& language) {
    if (check.accepted) return {};
    std::string frequency;
    BcdToFreqText(check.frequency, frequency);
    std::string detail =
        language.row(check.transmit ? lang_row::kTxFrequency : lang_row::kRxFrequency) + " " + frequency + " MHz";
    if (check.channel >= 0) detail += ", " + language.row(lang_row::kTableNumber) + " " + std::to_string(check.channel);
    return detail;
}

}  // namespace radioprog
