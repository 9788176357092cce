// SPDX-License-Identifier: GPL-3.0-or-later
// The editing session of the channel table, as both front ends drive it: keys in, answers
// and stored bytes out.
#include "editors/channel_session.h"

#include <gtest/gtest.h>

#include <string>

#include "editors/channel_commit.h"
#include "editors/channel_fixture.h"
#include "editors/image_document.h"
#include "model/channel_record.h"
#include "model/extra_rows.h"
#include "model/freq_codec.h"

namespace radioprog {
namespace {

using testing::DistinctRows;

constexpr int kInUse = 3;    // channel 3 (grid row 4): 174.90000, name RPT2
constexpr int kEmpty = 9;    // channel 9 holds nothing
constexpr int kOffStep = 5;  // channel 5: 145.12345, off the 5 and 6.25 kHz steps

struct Table {
    LanguageTable language = [] {
        LanguageTable table = DistinctRows();
        table.rows[lang_row::kNameKeyRefused] = "name refuses '%1'";
        table.rows[lang_row::kFrequencyKeyRefused] = "frequency refuses '%1'";
        return table;
    }();
    ImageDocument document;
    ChannelTableSession session{document, language};

    Table() {
        document.editChannels([&](RadioImage& image) {
            ChannelRow row = ChannelToRow(image, language, kInUse);
            CommitCell(image, language, kInUse, column::kRxFrequency, "174.9", row);
            CommitCell(image, language, kInUse, column::kName, "RPT2", row);
            ChannelRow other = ChannelToRow(image, language, kOffStep);
            CommitCell(image, language, kOffStep, column::kRxFrequency, "145.1", other);
            ChannelRef(image, kOffStep).setRxFrequency(FreqTextToBcd("145.12345", true));
        });
    }
    std::string cell(int channel, int column) const { return session.cellText({channel + 1, column}); }
    // Types on the table as a user does: characters, then the keys named in braces.
    SessionAnswer type(const std::string& keys, std::string* editText) {
        SessionAnswer last;
        for (char c : keys) {
            const auto& editor = session.editor();
            if (editor && IsEditEditor(editor->editor)) {
                last = session.editCharacter(static_cast<char32_t>(c), editText->size(), false);
                if (!last.handled) *editText += c;
            } else {
                last = session.typeCharacter(static_cast<char32_t>(c));
                if (last.opened && IsEditEditor(session.editor()->editor)) *editText = session.editor()->text;
            }
        }
        return last;
    }
};

TEST(ChannelTableSession, TypedCellsStoreWhatWasTypedOrRefuseWithTheReason) {
    struct Case {
        const char* what;
        int channel;
        int column;
        const char* keys;
        const char* shown;  // the cell afterwards; nullptr: unchanged
        bool notice;
    } cases[] = {
        {"tone", kInUse, column::kRxTone, "88.5", "88.5", false},
        {"DCS in lower case", kInUse, column::kTxTone, "d023n", "D023N", false},
        {"a tone prefix is not completed", kInUse, column::kRxTone, "15", nullptr, true},
        {"a tone the list lacks", kInUse, column::kRxTone, "88.6", nullptr, true},
        {"a DCS code the list lacks", kInUse, column::kRxTone, "D999N", nullptr, true},
        {"a short DCS code", kInUse, column::kRxTone, "D23N", nullptr, true},
        {"a DCS prefix", kInUse, column::kRxTone, "d25", nullptr, true},
        {"signalling", kInUse, column::kSignalling, "12", "12", false},
        {"signalling too high", kInUse, column::kSignalling, "16", nullptr, true},
        {"signalling far too high", kInUse, column::kSignalling, "99", nullptr, true},
        {"a refused first key opens nothing", kInUse, column::kName, "-ab", "AB", false},
        {"a refused space first", kInUse, column::kRxFrequency, " 150", "150.00000", false},
        {"below the radio's range", kInUse, column::kRxFrequency, "100", "136.00000", true},
    };
    for (const Case& c : cases) {
        Table table;
        const std::string before = table.cell(c.channel, c.column);
        table.session.moveTo({c.channel + 1, c.column});
        std::string editText;
        table.type(c.keys, &editText);
        const SessionAnswer answer = table.session.key(SessionKey::Enter, editText);
        EXPECT_EQ(table.cell(c.channel, c.column), c.shown ? c.shown : before) << c.what;
        EXPECT_EQ(answer.notice.has_value(), c.notice) << c.what;
        EXPECT_FALSE(answer.announcement.empty()) << c.what;
    }
    // The empty channel's digits went into its receive frequency.
    Table table;
    table.session.moveTo({kEmpty + 1, column::kBand});
    std::string editText;
    const SessionAnswer opened = table.type("1", &editText);
    EXPECT_TRUE(opened.moved);
    EXPECT_EQ(table.session.current().column, column::kRxFrequency);
    table.type("45.5", &editText);
    table.session.key(SessionKey::Enter, editText);
    EXPECT_EQ(table.cell(kEmpty, column::kRxFrequency), "145.50000");
}

TEST(ChannelTableSession, LeavingACellWithoutAnEditChangesNoByteAndAddsNoStep) {
    for (SessionKey leave : {SessionKey::Enter, SessionKey::Tab, SessionKey::Escape, SessionKey::Down}) {
        Table table;
        const RadioImage before = table.document.image();
        const std::size_t steps = table.document.history().undoCount();
        for (int column : {column::kRxFrequency, column::kRxTone, column::kName}) {
            if (leave == SessionKey::Down && column == column::kRxTone) continue;  // Down picks the next entry
            table.session.openByClick({kOffStep + 1, column});
            ASSERT_TRUE(table.session.editor());
            table.session.key(leave, table.session.editor()->text);
            EXPECT_FALSE(table.session.editor());
        }
        EXPECT_EQ(table.document.image().bytes, before.bytes);
        EXPECT_EQ(table.document.history().undoCount(), steps);
    }
}

TEST(ChannelTableSession, RefusedKeysAndCommitsSayWhy) {
    Table table;
    table.session.moveTo({kInUse + 1, column::kName});
    const SessionAnswer refused = table.session.typeCharacter(U'-');
    EXPECT_TRUE(refused.refused);
    EXPECT_FALSE(table.session.editor());
    EXPECT_NE(refused.announcement.find("'-'"), std::string::npos) << refused.announcement;

    table.session.typeCharacter(U'a');
    const SessionAnswer space = table.session.editCharacter(U' ', 1, false);
    EXPECT_TRUE(space.refused && space.handled);
    EXPECT_EQ(table.session.editCharacter(U'b', 1, false).handled, false);

    // The field's whole text: one point in a frequency, seven letters and digits in a name.
    EXPECT_TRUE(table.session.editTextAccepts("ab12"));
    EXPECT_FALSE(table.session.editTextAccepts("abcdefgh"));
    EXPECT_FALSE(table.session.editTextAccepts("a-b"));

    const SessionAnswer escaped = table.session.cancel();
    EXPECT_TRUE(escaped.closed);
    EXPECT_EQ(table.cell(kInUse, column::kName), "RPT2");
    EXPECT_NE(escaped.announcement.find("RPT2"), std::string::npos) << escaped.announcement;
}

TEST(ChannelTableSession, AFrequencyFieldHoldsOnePoint) {
    Table table;
    table.session.openByClick({kInUse + 1, column::kRxFrequency});
    EXPECT_TRUE(table.session.editTextAccepts("145.5"));
    EXPECT_FALSE(table.session.editTextAccepts("145.5."));
    EXPECT_FALSE(table.session.editTextAccepts("14x"));
    table.session.cancel();
    EXPECT_FALSE(table.session.editTextAccepts("145"));  // no field is open
}

TEST(ChannelTableSession, ListArrowsChooseAnEntryAndTypedTextGivesWayToThem) {
    Table table;
    table.session.moveTo({kInUse + 1, column::kRxTone});
    table.session.typeCharacter(U'1');
    EXPECT_EQ(table.session.editor()->choice, -1);
    EXPECT_EQ(table.session.editor()->text, "1");
    const SessionAnswer down = table.session.key(SessionKey::Down);
    EXPECT_TRUE(down.editorChanged);
    EXPECT_TRUE(table.session.editor()->text.empty());
    // The arrows step from the cell's own entry (Off), not from the typed text.
    const std::string entry = table.session.choices(column::kRxTone)[1];
    EXPECT_EQ(down.announcement, entry);
    table.session.key(SessionKey::Tab);
    EXPECT_EQ(table.cell(kInUse, column::kRxTone), entry);
    EXPECT_EQ(table.session.current().column, column::kTxTone);
}

TEST(ChannelTableSession, TableCommandsAreOneStepEachAndTheCurrentCellTravelsWithAMove) {
    Table table;
    const std::size_t steps = table.document.history().undoCount();
    table.session.moveTo({kInUse + 1, column::kName});
    // The current channel moves up with the set; a channel outside it stays where it was.
    SessionAnswer moved = table.session.moveChannels({kInUse, kInUse + 1}, true);
    EXPECT_EQ(moved.selected, (std::vector<int>{kInUse - 1, kInUse}));
    EXPECT_TRUE(moved.moved);
    EXPECT_EQ(table.session.current(), (GridCell{kInUse, column::kName}));
    EXPECT_EQ(table.cell(kInUse - 1, column::kName), "RPT2");
    EXPECT_NE(moved.announcement.find("RPT2"), std::string::npos) << moved.announcement;

    SessionAnswer inserted = table.session.insertChannel(kInUse - 1);
    EXPECT_EQ(table.session.current().row, kInUse);
    EXPECT_EQ(table.cell(kInUse, column::kName), "RPT2");
    EXPECT_FALSE(inserted.changed.empty());

    std::string text;
    SessionAnswer cut = table.session.cutChannels({kInUse}, text);
    EXPECT_NE(text.find("RPT2"), std::string::npos);
    EXPECT_EQ(table.cell(kInUse, column::kRxFrequency), "");
    PasteReport report;
    PasteTarget target;
    target.firstChannel = kEmpty;
    target.column = column::kBand;
    table.session.paste(target, text, report);
    EXPECT_EQ(table.cell(kEmpty, column::kName), "RPT2");
    SessionAnswer deleted = table.session.deleteChannels({kEmpty});
    EXPECT_EQ(deleted.selected, std::vector<int>{kEmpty});
    EXPECT_EQ(table.cell(kEmpty, column::kName), "");
    EXPECT_EQ(table.document.history().undoCount(), steps + 5);
}

// Ctrl+Enter sets the open editor's value in its column of every selected channel in use,
// as one undo step and by the rules of a typed cell; frequencies and names are typed one by
// one; a sort is one step too.
TEST(ChannelTableSession, OneValueForManyChannelsAndSortsAreOneStepEach) {
    Table table;
    const std::size_t steps = table.document.history().undoCount();
    const std::uint32_t offStep = ChannelView(table.document.image(), kOffStep).rxFrequency();
    table.session.moveTo({kInUse + 1, column::kRxTone});
    table.session.typeCharacter(U'8');
    table.session.typeCharacter(U'8');
    table.session.typeCharacter(U'.');
    table.session.typeCharacter(U'5');
    const SessionAnswer set = table.session.commitToChannels({kInUse, kOffStep, kEmpty});
    EXPECT_EQ(table.cell(kInUse, column::kRxTone), "88.5");
    EXPECT_EQ(table.cell(kOffStep, column::kRxTone), "88.5");
    EXPECT_EQ(table.cell(kEmpty, column::kRxTone), "") << "an empty channel stays empty";
    EXPECT_EQ(ChannelView(table.document.image(), kOffStep).rxFrequency(), offStep) << "the rest stays";
    EXPECT_EQ(set.selected, (std::vector<int>{kInUse, kOffStep, kEmpty}));
    EXPECT_EQ(set.announcement, "r" + std::to_string(lang_row::kColumnSetForChannels));
    EXPECT_EQ(table.document.history().undoCount(), steps + 1);

    // A typed text that names no entry is refused for all of them.
    table.session.moveTo({kInUse + 1, column::kTxTone});
    table.session.typeCharacter(U'1');
    table.session.typeCharacter(U'5');
    const SessionAnswer refused = table.session.commitToChannels({kInUse, kOffStep});
    EXPECT_TRUE(refused.notice.has_value());
    EXPECT_EQ(table.document.history().undoCount(), steps + 1);

    // A name column: an ordinary commit of the one cell.
    table.session.moveTo({kOffStep + 1, column::kName});
    std::string text;
    table.type("ab", &text);
    table.session.commitToChannels({kInUse, kOffStep}, text);
    EXPECT_EQ(table.cell(kOffStep, column::kName), "AB");
    EXPECT_EQ(table.cell(kInUse, column::kName), "RPT2");

    const SessionAnswer sorted = table.session.sortChannels({}, ChannelSortKey::RxFrequency);
    EXPECT_EQ(ChannelView(table.document.image(), 0).rxFrequency(), offStep);
    EXPECT_EQ(table.cell(1, column::kName), "RPT2");
    EXPECT_FALSE(sorted.announcement.empty());
    EXPECT_EQ(table.document.history().undoCount(), steps + 3);
    table.document.undo();
    EXPECT_EQ(table.cell(kInUse, column::kName), "RPT2");
}

}  // namespace
}  // namespace radioprog
