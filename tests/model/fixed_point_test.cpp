// SPDX-License-Identifier: GPL-3.0-or-later
// Decimal numbers read exactly at a fixed resolution: the frequency and tone fields of
// imported files, and powers in watts or milliwatts.
#include <gtest/gtest.h>

#include "model/fixed_point.h"

namespace radioprog {
namespace {

TEST(FixedPoint, DigitsAtAFixedResolution) {
    struct Case {
        const char* text;
        int decimals;
        std::optional<long long> value;
    };
    const Case cases[] = {
        {"88.5", 1, 885},
        {"88.50", 1, 885},
        {"88.55", 1, std::nullopt},
        {"145.125", 5, 14512500},
        {" 146.520000\t", 5, 14652000},
        {"5", 5, 500000},
        {"5.", 0, 5},
        {"0", 3, 0},
        {"999999999", 0, 999999999},
        {"1000000000", 0, std::nullopt},  // more than 9 digits before the point
        {"999999999.999999999", 9, 999999999999999999},
        {"", 1, std::nullopt},
        {".5", 1, std::nullopt},
        {"-5", 1, std::nullopt},
        {"+5", 1, std::nullopt},
        {"5.0.0", 1, std::nullopt},
        {"1e3", 1, std::nullopt},
        {"5,5", 1, std::nullopt},
        {"1 000", 0, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseFixedPoint(c.text, c.decimals), c.value) << c.text << " @" << c.decimals;
}

TEST(FixedPoint, PowerInWattsOrMilliwatts) {
    struct Case {
        const char* text;
        std::optional<long long> nanowatts;
    };
    const Case cases[] = {
        {"5.0W", 5'000'000'000},
        {"5", 5'000'000'000},
        {"50 W", 50'000'000'000},
        {" 1.0w ", 1'000'000'000},
        {"500mW", 500'000'000},
        {"500 MW", 500'000'000},
        {"0.5mW", 500'000},
        {"2.3W", 2'300'000'000},
        {"0.000001W", 1'000},
        {"0.000000001W", 1},
        {"0.000001mW", 1},
        {"0W", 0},
        {"0.0000000001W", std::nullopt},  // below a nanowatt
        {"W", std::nullopt},
        {"mW", std::nullopt},
        {"-5W", std::nullopt},
        {"5.0.0W", std::nullopt},
        {"5kW", std::nullopt},
        {"5 W W", std::nullopt},
        {"loud", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseNanowatts(c.text), c.nanowatts) << c.text;
}

}  // namespace
}  // namespace radioprog
