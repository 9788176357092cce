// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/image_document.h"

#include <gtest/gtest.h>

#include "editors/channel_rows.h"
#include "editors/varied_channels.h"
#include "model/channel_record.h"
#include "radio/new_image.h"
#include "support/same_image.h"

namespace radioprog {
namespace {

using testing::DistinctRows;
using testing::VariedImage;

void SetRx(RadioImage& image, int n, std::uint32_t frequency) { ChannelRef(image, n).setRxFrequency(frequency); }

TEST(ImageDocument, ModifiedFollowsTheImageAgainstWhatWasLastOpenedOrSaved) {
    ImageDocument document;
    EXPECT_FALSE(document.modified());
    EXPECT_EQ(document.path(), "");

    EXPECT_EQ(document.editChannels([](RadioImage& image) { SetRx(image, 3, 0x14550000); }), std::vector<int>{3});
    EXPECT_TRUE(document.modified());
    // Undo back to the state last saved clears it, redo sets it again.
    EXPECT_EQ(document.undo(), std::vector<int>{3});
    EXPECT_FALSE(document.modified());
    EXPECT_EQ(document.redo(), std::vector<int>{3});
    EXPECT_TRUE(document.modified());

    document.markSaved("/tmp/a.dat");
    EXPECT_FALSE(document.modified());
    EXPECT_EQ(document.path(), "/tmp/a.dat");
    EXPECT_TRUE(document.history().canUndo());  // saving keeps the history ...
    document.undo();
    EXPECT_TRUE(document.modified());  // ... and undoing past the save is a change again
    document.redo();
    EXPECT_FALSE(document.modified());

    // Settings: no undo step, but a change all the same; storing the same values is none.
    const std::size_t steps = document.history().undoCount();
    EXPECT_TRUE(document.editSettings([](RadioImage& image) { image.settingsByte(0x0E22) ^= 1; }));
    EXPECT_TRUE(document.modified());
    EXPECT_EQ(document.history().undoCount(), steps);
    EXPECT_TRUE(document.editSettings([](RadioImage& image) { image.settingsByte(0x0E22) ^= 1; }));
    EXPECT_FALSE(document.modified());
    EXPECT_FALSE(document.editSettings([](RadioImage&) {}));
    EXPECT_TRUE(document.editChannels([](RadioImage&) {}).empty());
    EXPECT_EQ(document.history().undoCount(), steps);
}

TEST(ImageDocument, ReplacingTheImageSetsPathModifiedAndForgetsTheHistory) {
    const RadioImage varied = VariedImage(DistinctRows());
    struct Case {
        const char* name;
        std::string path;
        bool modified;
    } cases[] = {
        {"opened file", "/x/radio.dat", false},
        {"read from the radio", "", true},
        {"recovered with its file", "/x/radio.dat", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ImageDocument document;
        document.editChannels([](RadioImage& image) { SetRx(image, 1, 0x14550000); });
        document.replace(varied, c.path, c.modified);
        EXPECT_SAME_IMAGE(document.image(), varied);
        EXPECT_EQ(document.path(), c.path);
        EXPECT_EQ(document.modified(), c.modified);
        EXPECT_FALSE(document.history().canUndo());
        // A document from the radio stays modified whatever is undone or stored.
        document.editSettings([](RadioImage&) {});
        EXPECT_EQ(document.modified(), c.modified);
    }

    ImageDocument document;
    document.replace(varied, "/x/radio.dat", false);
    document.editChannels([](RadioImage& image) { SetRx(image, 1, 0x14550000); });
    document.startNew();
    RadioImage fresh = varied;
    WriteNewImage(fresh);
    EXPECT_SAME_IMAGE(document.image(), fresh);  // band-limit bytes stay, as File New always did
    EXPECT_EQ(document.path(), "");
    EXPECT_FALSE(document.modified());
    EXPECT_FALSE(document.history().canUndo());
}

TEST(ImageDocument, PortAndBandLimitsFromTheLinkAreNoEditsButAreKept) {
    RadioImage fromRadio = VariedImage(DistinctRows());
    const RecordInfo& limits = SingleRecord(BlockId::BandLimits);
    fromRadio.recordData(limits)[0] ^= 0x5A;
    for (bool modifiedBefore : {false, true}) {
        SCOPED_TRACE(modifiedBefore);
        ImageDocument document;
        if (modifiedBefore) document.editChannels([](RadioImage& image) { SetRx(image, 1, 0x14550000); });
        document.setPort(5);
        document.takeBandLimits(fromRadio);
        EXPECT_EQ(document.image().port(), 5);
        EXPECT_EQ(document.image().recordData(limits)[0], fromRadio.recordData(limits)[0]);
        EXPECT_EQ(document.modified(), modifiedBefore);
        if (modifiedBefore) {
            document.undo();
            EXPECT_FALSE(document.modified());  // undo does not take the port back either
            EXPECT_EQ(document.image().port(), 5);
        }
    }
}

TEST(ImageDocument, ChangedChannelsNamesRecordAndNameChanges) {
    const RadioImage before = VariedImage(DistinctRows());
    RadioImage after = before;
    SetRx(after, 0, 0x43000000);
    after.channelName(127)[0] ^= 1;
    EXPECT_EQ(ChangedChannels(before, after), (std::vector<int>{0, 127}));
    EXPECT_TRUE(ChangedChannels(before, before).empty());
}

}  // namespace
}  // namespace radioprog
