// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/edit_history.h"

#include <gtest/gtest.h>

#include <functional>

#include "editors/batch_channels.h"
#include "editors/channel_clipboard.h"
#include "editors/channel_csv.h"
#include "editors/channel_rows.h"
#include "editors/varied_channels.h"
#include "model/channel_record.h"
#include "support/same_image.h"

namespace radioprog {
namespace {

using testing::DistinctRows;
using testing::VariedImage;

TEST(EditHistory, UndoAndRedoOfEveryKindOfChangeRestoreTheImageExactly) {
    const LanguageTable language = DistinctRows();
    struct Change {
        const char* name;
        std::function<void(RadioImage&)> run;
    } changes[] = {
        {"cell",
         [&](RadioImage& im) {
             ChannelRow row = ChannelToRow(im, language, 2);
             CommitCell(im, language, 2, column::kRxTone, "D754N", row);
         }},
        {"new channel",
         [&](RadioImage& im) {
             ChannelRow row = ChannelToRow(im, language, 50);
             CommitCell(im, language, 50, column::kRxFrequency, "145.5", row);
         }},
        {"emptied channel",
         [&](RadioImage& im) {
             ChannelRow row = ChannelToRow(im, language, 3);
             CommitCell(im, language, 3, column::kRxFrequency, "", row);
         }},
        {"batch",
         [&](RadioImage& im) {
             BatchSettings settings = InitialBatchSettings(language);
             settings.scope = BatchScope::Range;
             settings.firstChannel = 5;
             settings.lastChannel = 20;
             ApplyBatch(im, language, settings);
         }},
        {"paste",
         [&](RadioImage& im) {
             PasteChannels(im, language, 100, CopyChannels(im, language, {0, 1, 2, 3}));
         }},
        {"cut",
         [&](RadioImage& im) {
             CutChannels(im, language, {0, 6, 127});
         }},
        {"import", [&](RadioImage& im) { ImportChannelsCsv(im, "Location,Frequency\n1,145.5\n9,146\n"); }},
        {"insert", [&](RadioImage& im) { InsertEmptyChannel(im, 0); }},
        {"delete",
         [&](RadioImage& im) {
             DeleteChannels(im, {2, 127});
         }},
        {"move",
         [&](RadioImage& im) {
             MoveChannels(im, {2, 3, 4}, MoveDirection::Down);
         }},
    };
    for (const Change& change : changes) {
        RadioImage image = VariedImage(language);
        const RadioImage before = image;
        EditHistory history;
        ASSERT_TRUE(history.apply(image, [&] { change.run(image); })) << change.name;
        const RadioImage after = image;
        ASSERT_FALSE(after == before) << change.name;

        EXPECT_TRUE(history.undo(image));
        EXPECT_SAME_IMAGE(image, before) << change.name;
        EXPECT_FALSE(history.undo(image));
        EXPECT_TRUE(history.redo(image));
        EXPECT_SAME_IMAGE(image, after) << change.name;
        EXPECT_FALSE(history.redo(image));
    }
}

TEST(EditHistory, StepsDepthRedoDroppingAndClear) {
    RadioImage image = testing::DefaultImage();
    EditHistory history;
    EXPECT_FALSE(history.apply(image, [] {})) << "a change that changes nothing is no step";

    // 150 steps, each storing its number; the oldest 50 are forgotten.
    for (int step = 1; step <= 150; ++step)
        history.apply(image, [&] { ChannelRef(image, 0).setRxFrequency(static_cast<std::uint32_t>(step)); });
    EXPECT_EQ(history.undoCount(), EditHistory::kDefaultDepth);
    while (history.undo(image)) {
    }
    EXPECT_EQ(ChannelView(image, 0).rxFrequency(), 50u);
    EXPECT_EQ(history.redoCount(), 100u);

    history.redo(image);
    history.apply(image, [&] { ChannelRef(image, 1).setSignalling(3); });
    EXPECT_FALSE(history.canRedo()) << "a new change drops the redo steps";
    EXPECT_EQ(history.undoCount(), 2u);

    // Undo restores only the channel area: the port and the settings stay as they are now.
    image.setPort(7);
    image.settingsByte(0x0E20) = 0x42;
    history.undo(image);
    EXPECT_EQ(ChannelView(image, 1).signalling(), 0xFF);
    EXPECT_EQ(image.port(), 7);
    EXPECT_EQ(image.settingsByte(0x0E20), 0x42);

    history.clear();
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.canRedo());
}

}  // namespace
}  // namespace radioprog
