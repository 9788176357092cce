#include "shell/band_check.h"

#include <cstdio>
#include <cstdlib>

#include "model/byte_order.h"
#include "model/channel_record.h"
#include "model/extra_rows.h"
#include "model/freq_codec.h"

namespace radioprog {

namespace {

constexpr std::int64_t kUnitsPerMhz = 100000;  // frequency codes count 10 Hz
constexpr std::int64_t kUpperMargin = 99500;   // the upper limit plus 0.995 MHz

// The code's eight digits as a number of 10 Hz units (digits above 9 weigh as the radio
// software weighs them).
std::int64_t FrequencyUnits(std::uint32_t code) {
    std::int64_t units = 0;
    for (int nibble = 7; nibble >= 0; --nibble) units = units * 10 + ((code >> (4 * nibble)) & 0xF);
    return units;
}

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

int DecodeBandLimit(std::uint8_t high, std::uint8_t low) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%x", high * 256 + low);
    return static_cast<int>(std::strtol(hex, nullptr, 10));
}

BandLimits DecodeBandLimits(const RadioImage& image) {
    const std::uint8_t* data = image.blockData(BlockId::BandLimits);
    auto limit = [data](int i) { return DecodeBandLimit(data[2 * i], data[2 * i + 1]); };
    return {{limit(0), limit(2)}, {limit(1), limit(3)}, {limit(4), limit(6)}, {limit(5), limit(7)}};
}

bool InBands(std::uint32_t code, const int lower[2], const int upper[2]) {
    std::int64_t units = FrequencyUnits(code);
    for (int band = 0; band < 2; ++band)
        if (lower[band] * kUnitsPerMhz <= units && units <= upper[band] * kUnitsPerMhz + kUpperMargin) return true;
    return false;
}

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
    if (check.channel >= 0)
        detail += ", " + language.row(lang_row::kTableNumber) + " " + std::to_string(check.channel);
    return detail;
}

}  // namespace radioprog
