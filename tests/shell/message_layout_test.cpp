// SPDX-License-Identifier: GPL-3.0-or-later
// Wrapping a long message: where a line may break, measured with one unit per code-page byte.
#include <gtest/gtest.h>

#include "model/ansi_text.h"
#include "shell/message_layout.h"

namespace radioprog {
namespace {

int Bytes(const std::string& text) { return static_cast<int>(AnsiLength(text)); }

TEST(WrapMessage, BreaksAtSpacesOrBesideChineseNeverInsideANumber) {
    struct Case {
        const char* message;
        int width;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"Channel 3 out of band <144.000~146.995 430.000~440.995>",
         24,
         {"Channel 3 out of band", "<144.000~146.995", "430.000~440.995>"}},
        {"Channel 3 out of band <144.000~146.995 430.000~440.995>",
         40,
         {"Channel 3 out of band <144.000~146.995", "430.000~440.995>"}},
        // Two bytes a character: 4 characters a line; the numbers stay whole.
        {"信道 3 超出频段 <144.000~146.995 430.000~440.995>",
         8,
         {"信道 3", "超出频段", "<144.000~146.995", "430.000~440.995>"}},
        {"向对讲机写入数据", 6, {"向对讲", "机写入", "数据"}},
        {"short", 40, {"short"}},
        {"", 10, {""}},
        // A piece wider than the line gets a line of its own.
        {"a 0123456789 b", 4, {"a", "0123456789", "b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(WrapMessage(c.message, c.width, Bytes), c.lines);
    }
}

TEST(MessageSplitIsClean, OnlyAtASpaceOrBesideChinese) {
    const std::string english = "Channel 3 out of band <144.000~146.995";
    EXPECT_TRUE(MessageSplitIsClean(english, 22));   // after the space
    EXPECT_TRUE(MessageSplitIsClean(english, 21));   // before it
    EXPECT_FALSE(MessageSplitIsClean(english, 24));  // inside "144"
    EXPECT_FALSE(MessageSplitIsClean(english, 3));   // inside a word
    const std::string chinese = "超出频段<144";
    EXPECT_TRUE(MessageSplitIsClean(chinese, 3));   // between two characters
    EXPECT_TRUE(MessageSplitIsClean(chinese, 12));  // after the last one
    EXPECT_FALSE(MessageSplitIsClean(chinese, 14));
}

}  // namespace
}  // namespace radioprog
