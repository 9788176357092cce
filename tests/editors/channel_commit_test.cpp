// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/channel_commit.h"

#include <gtest/gtest.h>

#include "editors/channel_fixture.h"
#include "editors/channel_store.h"
#include "model/channel_record.h"
#include "support/same_image.h"

namespace radioprog {
namespace {

using testing::DefaultImage;
using testing::DistinctRows;

constexpr int kChannel = 7;
constexpr std::uint16_t kFlagBits = (1 << 13) | (1 << 12) | (1 << 14) | (1 << 3);

// A grid row with an editor open on it: commits go through the same path as the grid's.
struct EditedChannel {
    LanguageTable language = DistinctRows();
    RadioImage image = DefaultImage();
    ChannelRow row;

    EditedChannel() { reload(); }
    void reload() { row = ChannelToRow(image, language, kChannel); }
    CellAction commit(int column, const std::string& text) {
        return CommitCell(image, language, kChannel, column, text, row);
    }
    ChannelRef channel() { return ChannelRef(image, kChannel); }
    const std::string& cell(int column) const { return row[static_cast<std::size_t>(column)]; }
};

TEST(ChooseCellAction, FromColumnAndTexts) {
    struct Case {
        int column;
        const char* oldText;
        const char* newText;
        CellAction action;
    } cases[] = {
        {2, "", "145.5", CellAction::NewChannel},
        {2, "145.50000", "", CellAction::DeleteChannel},
        {2, "145.50000", "146", CellAction::Update},
        {2, "", "", CellAction::Update},
        {3, "145.50000", "", CellAction::ClearTxFrequency},
        {3, "", "146", CellAction::Update},
        {11, "AB", "", CellAction::Update},
        {4, "OFF", "", CellAction::Update},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseCellAction(c.column, c.oldText, c.newText), c.action)
            << c.column << " " << c.oldText << " -> " << c.newText;
}

TEST(CommitCell, TypingAFrequencyIntoAnEmptyChannelCreatesIt) {
    EditedChannel edit;
    edit.channel().setFlags(0x8123);   // bits the grid does not show must survive
    edit.channel().setNameByte(0, 5);  // the name is not touched
    edit.reload();

    EXPECT_EQ(edit.commit(2, "145.5"), CellAction::NewChannel);

    ChannelRef channel = edit.channel();
    EXPECT_EQ(channel.rxFrequency(), 0x14550000u);
    EXPECT_EQ(channel.txFrequency(), 0x14550000u);
    EXPECT_EQ(channel.rxTone(), 0xFFFF);
    EXPECT_EQ(channel.txTone(), 0xFFFF);
    EXPECT_EQ(channel.flags(), 0x8123 | (1 << 13) | (1 << 12) | (1 << 14));
    EXPECT_EQ(channel.signalling(), 0);
    EXPECT_EQ(channel.nameByte(0), 5);

    ChannelRow shown = {"7", "VHF/UHF", "145.50000", "145.50000", "OFF", "OFF", "r2", "r11", "r5", "OFF", "1", ""};
    EXPECT_EQ(edit.row, shown);
    ChannelRow reloaded = ChannelToRow(edit.image, edit.language, kChannel);
    reloaded[column::kName] = "";  // the stale name shows only after a reload
    EXPECT_EQ(edit.row, reloaded) << "the grid shows what the image holds";
}

TEST(CommitCell, EmptyingTheReceiveFrequencyDeletesTheChannel) {
    EditedChannel edit;
    edit.commit(2, "145.5");
    edit.commit(11, "ab");
    edit.commit(10, "3");
    edit.channel().setFlags(static_cast<std::uint16_t>(edit.channel().flags() & ~kFlagBits & ~0x60));
    edit.channel().setNameByte(7, 0x42);
    edit.reload();

    EXPECT_EQ(edit.commit(2, ""), CellAction::DeleteChannel);

    ChannelRow empty{};
    empty[column::kNumber] = "7";
    EXPECT_EQ(edit.row, empty);
    EXPECT_EQ(ChannelToRow(edit.image, edit.language, kChannel), empty);
    ChannelRef channel = edit.channel();
    EXPECT_EQ(channel.rxFrequency(), 0xFFFFFFFFu);
    EXPECT_EQ(channel.txFrequency(), 0xFFFFFFFFu);
    EXPECT_EQ(channel.rxTone(), 0xFFFF);
    EXPECT_EQ(channel.txTone(), 0xFFFF);
    EXPECT_EQ(channel.flags() & kFlagBits, kFlagBits);
    EXPECT_EQ(channel.flags() & 0x60, 0) << "bits 5-6 unchanged";
    EXPECT_EQ(channel.signalling(), 2) << "the signalling index is kept";
    for (int i = 0; i < kChannelNameLength; ++i) EXPECT_EQ(channel.nameByte(i), 0xFF) << i;
    EXPECT_EQ(channel.nameByte(7), 0x42);
}

TEST(CommitCell, TypedFrequenciesAreNormalisedInTheCellAndTheImage) {
    struct Case {
        const char* typed;
        const char* shown;
        std::uint32_t code;
    } cases[] = {
        {"145.00750", "145.00625", 0x14500625},
        {"99", "136.00000", 0x13600000},
        {"600", "470.00000", 0x47000000},
        {"438", "438.00000", 0x43800000},
    };
    for (const Case& c : cases) {
        EditedChannel edit;
        edit.commit(2, c.typed);
        EXPECT_EQ(edit.cell(2), c.shown) << c.typed;
        EXPECT_EQ(edit.cell(3), c.shown) << c.typed << ": a new channel transmits on its receive frequency";
        EXPECT_EQ(edit.channel().rxFrequency(), c.code) << c.typed;

        edit.commit(3, c.typed);
        EXPECT_EQ(edit.cell(3), c.shown) << c.typed;
        EXPECT_EQ(edit.channel().txFrequency(), c.code) << c.typed;
    }
}

TEST(CommitCell, TheTransmitToneFollowsTheReceiveToneOnlyWhileItIsOff) {
    EditedChannel edit;
    edit.commit(2, "145.5");
    edit.commit(4, "88.5");
    EXPECT_EQ(edit.cell(5), "88.5");
    EXPECT_EQ(edit.channel().txTone(), 885);

    edit.commit(5, "67.0");
    edit.commit(4, "D023N");
    EXPECT_EQ(edit.cell(5), "67.0");
    EXPECT_EQ(edit.channel().rxTone(), 0x2813);
    EXPECT_EQ(edit.channel().txTone(), 670);
}

// A tone code no list entry names is shown raw; leaving its list without a choice, or
// committing the shown text, keeps the code.
TEST(CommitCell, ARawToneCodeIsKeptUnlessAnotherToneIsPicked) {
    EditedChannel edit;
    edit.commit(2, "145.5");
    edit.channel().setRxTone(0x8000);
    edit.channel().setTxTone(0x803F);
    edit.reload();
    EXPECT_EQ(edit.cell(4), "0x8000");
    edit.commit(4, "");
    edit.commit(5, edit.cell(5));
    EXPECT_EQ(edit.channel().rxTone(), 0x8000);
    EXPECT_EQ(edit.channel().txTone(), 0x803F);
    EXPECT_EQ(edit.cell(4), "0x8000");
    edit.commit(4, "D023N");
    EXPECT_EQ(edit.channel().rxTone(), 0x2813);
    EXPECT_EQ(edit.channel().txTone(), 0x803F);
}

TEST(CommitCell, EmptyingTheTransmitFrequencyTurnsTheTransmitToneOff) {
    EditedChannel edit;
    edit.commit(2, "145.5");
    edit.commit(5, "67.0");

    EXPECT_EQ(edit.commit(3, ""), CellAction::ClearTxFrequency);

    EXPECT_EQ(edit.cell(3), "");
    EXPECT_EQ(edit.cell(5), "OFF");
    EXPECT_EQ(edit.channel().txFrequency(), 0xFFFFFFFFu);
    EXPECT_EQ(edit.channel().txTone(), 0xFFFF);
    EXPECT_EQ(edit.channel().rxFrequency(), 0x14550000u);
}

TEST(ClearCell, EmptiesOnlyTheCellsAChannelCanHoldEmpty) {
    // Del on one cell: column, whether it is emptied, what the cell then shows.
    struct Case {
        int column;
        bool cleared;
        const char* shown;
    } cases[] = {
        {column::kTxFrequency, true, ""},
        {column::kRxTone, true, "OFF"},
        {column::kTxTone, true, "OFF"},
        {column::kName, true, ""},
        {column::kRxFrequency, false, "145.50000"},
        {column::kBand, false, "VHF/UHF"},
        {column::kPower, false, "r2"},
        {column::kSignalling, false, "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.column);
        EditedChannel edit;
        edit.commit(2, "145.5");
        edit.commit(4, "67.0");
        edit.commit(5, "71.9");
        edit.commit(11, "AB");
        const RadioImage before = edit.image;
        EXPECT_EQ(ClearCell(edit.image, edit.language, kChannel, c.column, edit.row), c.cleared);
        EXPECT_EQ(edit.cell(c.column), c.shown);
        EXPECT_EQ(edit.image != before, c.cleared);
        EXPECT_EQ(edit.channel().rxFrequency(), 0x14550000u);  // the channel stays
        EXPECT_EQ(edit.row, ChannelToRow(edit.image, edit.language, kChannel));
        // Clearing it again changes nothing.
        EXPECT_FALSE(ClearCell(edit.image, edit.language, kChannel, c.column, edit.row));
    }
    // An empty channel has nothing to clear.
    EditedChannel empty;
    for (int column = column::kBand; column < kChannelColumnCount; ++column)
        EXPECT_FALSE(ClearCell(empty.image, empty.language, kChannel, column, empty.row));
    EXPECT_SAME_IMAGE(empty.image, DefaultImage());
}

TEST(CommitCell, TheBandColumnShowsItsTextButStoresNothing) {
    EditedChannel edit;
    RadioImage before = edit.image;
    edit.commit(1, "VHF/UHF");
    EXPECT_EQ(edit.cell(1), "VHF/UHF");
    EXPECT_SAME_IMAGE(edit.image, before);
    EXPECT_EQ(ChannelToRow(edit.image, edit.language, kChannel)[column::kBand], "");
}

TEST(StoreCell, FlagColumnsCompareWithTheZeroSetWhateverTheColumn) {
    struct Case {
        int column;
        const char* text;
        bool enabled;
        int bit;
        bool value;
    } cases[] = {
        {6, "r3", true, 13, false}, {6, "r2", true, 13, true},  {6, "r3", false, 13, true}, {7, "r10", true, 12, false},
        {7, "r11", true, 12, true}, {7, "r4", true, 12, false}, {8, "r4", true, 14, false}, {8, "r5", true, 14, true},
        {9, "OFF", true, 3, false}, {9, "r13", true, 3, true},  {9, "r3", true, 3, false},  {6, "", true, 13, true},
    };
    LanguageTable language = DistinctRows();
    for (const Case& c : cases) {
        RadioImage image = DefaultImage();
        ChannelRef(image, 0).setFlags(c.value ? 0 : 0xFFFF);
        std::string text = c.text;
        EXPECT_TRUE(StoreCell(image, language, 0, c.column, text, c.enabled));
        EXPECT_EQ(ChannelRef(image, 0).flags(), c.value ? 1 << c.bit : 0xFFFF & ~(1 << c.bit))
            << "column " << c.column << " text " << c.text;
    }
}

TEST(StoreCell, SignallingAndNameBytes) {
    LanguageTable language = DistinctRows();
    struct Case {
        const char* text;
        bool enabled;
        std::uint8_t signalling;
    } signalling[] = {{"1", true, 0}, {"15", true, 14}, {"", true, 0xFF}, {"9", false, 0x33}};
    for (const Case& c : signalling) {
        RadioImage image = DefaultImage();
        ChannelRef(image, 3).setSignalling(0x33);
        std::string text = c.text;
        EXPECT_TRUE(StoreCell(image, language, 3, 10, text, c.enabled));
        EXPECT_EQ(ChannelRef(image, 3).signalling(), c.signalling) << c.text;
    }

    struct NameCase {
        const char* text;
        bool enabled;
        std::array<std::uint8_t, 7> bytes;
    } names[] = {
        {"ab12", true, {10, 11, 1, 2, 0xFF, 0xFF, 0xFF}},
        {"Z9-A", true, {35, 9, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {"ABCDEFGH", true, {10, 11, 12, 13, 14, 15, 16}},
        {"AB", false, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
    };
    for (const NameCase& c : names) {
        RadioImage image = DefaultImage();
        ChannelRef channel(image, 3);
        for (int i = 0; i < 16; ++i) channel.setNameByte(i, 0x20);
        std::string text = c.text;
        EXPECT_TRUE(StoreCell(image, language, 3, 11, text, c.enabled));
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(channel.nameByte(i), c.bytes[static_cast<std::size_t>(i)]) << c.text << " byte " << i;
        for (int i = 7; i < 16; ++i) EXPECT_EQ(channel.nameByte(i), 0x20) << c.text << " byte " << i;
    }
}

TEST(StoreCell, EmptyFrequencyTexts) {
    LanguageTable language = DistinctRows();
    RadioImage image = DefaultImage();
    ChannelRef channel(image, 0);
    channel.setRxFrequency(0x14500000);
    channel.setTxFrequency(0x14500000);
    std::string text;
    EXPECT_FALSE(StoreCell(image, language, 0, 2, text, true));
    EXPECT_EQ(text, "");
    EXPECT_EQ(channel.rxFrequency(), 0xFFFFFFFFu);
    text = "146";
    EXPECT_TRUE(StoreCell(image, language, 0, 3, text, false)) << "disabled stores no transmit frequency";
    EXPECT_EQ(channel.txFrequency(), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace radioprog
