// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/recent_files.h"

#include <gtest/gtest.h>

namespace radioprog {
namespace {

using List = std::vector<std::string>;

TEST(RecentFiles, NewestFirstEachOnceAtMostEight) {
    struct Case {
        const char* name;
        List before;
        std::string path;
        List after;
    } cases[] = {
        {"first", {}, "/a.dat", {"/a.dat"}},
        {"new in front", {"/a.dat", "/b.dat"}, "/c.dat", {"/c.dat", "/a.dat", "/b.dat"}},
        {"known moves up", {"/a.dat", "/b.dat", "/c.dat"}, "/c.dat", {"/c.dat", "/a.dat", "/b.dat"}},
        {"oldest falls off", {"1", "2", "3", "4", "5", "6", "7", "8"}, "9", {"9", "1", "2", "3", "4", "5", "6", "7"}},
        {"empty entries dropped", {"", "/a.dat", ""}, "", {"/a.dat"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WithRecentFile(c.before, c.path), c.after);
    }
}

TEST(RecentFiles, CaptionsNumberTheEntriesAndShowAmpersands) {
    EXPECT_EQ(RecentFileCaption(0, "/r/a.dat"), "&1 /r/a.dat");
    EXPECT_EQ(RecentFileCaption(8, "/x"), "&9 /x");
    EXPECT_EQ(RecentFileCaption(9, "/x"), "10 /x");
    EXPECT_EQ(RecentFileCaption(1, "/R&D/a.dat"), "&2 /R&&D/a.dat");
}

}  // namespace
}  // namespace radioprog
