// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "editors/batch_channels.h"

namespace radioprog {
namespace {

TEST(ChannelNumberField, TakesOnlyAnUnsignedNumber) {
    struct Case {
        const char* text;
        std::optional<unsigned> value;
    };
    const Case cases[] = {
        {"10", 10u}, {"  7", 7u}, {"0", 0u},  {"4294967295", 4294967295u}, {"4294967296", {}}, {"", {}}, {"   ", {}},
        {"1.5", {}}, {"12 ", {}}, {"-1", {}}, {"99999999999", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseChannelNumberField(c.text), c.value) << '"' << c.text << '"';
}

}  // namespace
}  // namespace radioprog
