// SPDX-License-Identifier: GPL-3.0-or-later
// The rules the channel grid's widgets follow: editors and their lists, list selection,
// typed keys, navigation, redirects, overlay placement and the edit filters.
#include <gtest/gtest.h>

#include "editors/channel_editors.h"
#include "editors/channel_fixture.h"
#include "editors/channel_navigation.h"
#include "radio/edit_filters.h"

namespace radioprog {
namespace {

using testing::DistinctRows;

TEST(ChannelEditors, EachColumnHasItsEditorAndChoices) {
    LanguageTable language = DistinctRows();
    struct Case {
        int column;
        CellEditor editor;
        std::vector<std::string> choices;
    } cases[] = {
        {0, CellEditor::None, {}},
        {1, CellEditor::Band, {"VHF/UHF"}},
        {2, CellEditor::Frequency, {}},
        {3, CellEditor::Frequency, {}},
        {6, CellEditor::Power, {"r2", "r3"}},
        {7, CellEditor::Bandwidth, {"r10", "r11"}},
        {8, CellEditor::Bit14, {"r4", "r5"}},
        {9, CellEditor::BusyLockout, {"OFF", "r13"}},
        {11, CellEditor::Name, {}},
        {12, CellEditor::None, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EditorForColumn(c.column), c.editor) << c.column;
        EXPECT_EQ(EditorChoices(c.editor, language), c.choices) << c.column;
        EXPECT_EQ(IsEditEditor(c.editor), c.choices.empty() && c.editor != CellEditor::None) << c.column;
    }

    EXPECT_EQ(EditorForColumn(4), CellEditor::Tone);
    EXPECT_EQ(EditorForColumn(5), CellEditor::Tone);
    std::vector<std::string> tones = EditorChoices(CellEditor::Tone, language);
    ASSERT_EQ(tones.size(), 259u);
    EXPECT_EQ(tones[0], "OFF");
    EXPECT_EQ(tones[258], "D754I");

    EXPECT_EQ(EditorForColumn(10), CellEditor::Signalling);
    std::vector<std::string> numbers = EditorChoices(CellEditor::Signalling, language);
    ASSERT_EQ(numbers.size(), 15u);
    EXPECT_EQ(numbers.front(), "1");
    EXPECT_EQ(numbers.back(), "15");
}

TEST(FindChoice, FirstEntryThatBeginsWithTheTextIgnoringCase) {
    std::vector<std::string> tones = EditorChoices(CellEditor::Tone, DistinctRows());
    std::vector<std::string> numbers = EditorChoices(CellEditor::Signalling, DistinctRows());
    struct Case {
        const std::vector<std::string>& entries;
        const char* text;
        int index;
    } cases[] = {
        {tones, "", 0},       {tones, "off", 0},     {tones, "88.5", 9},  {tones, "8", 7},
        {tones, "d023n", 51}, {tones, "D023I", 155}, {tones, "67.5", -1}, {tones, "OFF!", -1},
        {numbers, "1", 0},    {numbers, "15", 14},   {numbers, "2", 1},
    };
    for (const Case& c : cases) EXPECT_EQ(FindChoice(c.entries, c.text), c.index) << c.text;
}

TEST(KeyTextForEditor, OnlyKeysTheOpenedEditAccepts) {
    struct Case {
        int column;
        char32_t key;
        bool buttonDown;
        std::optional<std::string> text;
    } cases[] = {
        {2, U'1', false, "1"},           {3, U'.', false, "."},           {2, U'a', false, std::nullopt},
        {11, U'a', false, "a"},          {11, U'Q', false, "Q"},          {11, U'7', false, "7"},
        {11, U'.', false, std::nullopt}, {11, U' ', false, std::nullopt}, {2, U'-', false, std::nullopt},
        {2, 8, false, std::nullopt},     {11, 22, false, std::nullopt},   {11, 0x4E2D, false, std::nullopt},
        {2, U'5', true, std::nullopt},   {4, U'8', false, std::nullopt},  {10, U'3', false, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyTextForEditor(c.column, c.key, c.buttonDown), c.text)
            << "column " << c.column << " key " << static_cast<unsigned>(c.key);
}

TEST(ChannelNavigation, TabEnterUpAndDown) {
    EXPECT_EQ(AdvanceCellTarget({5, 11}), (GridCell{6, 1}));
    EXPECT_EQ(AdvanceCellTarget({5, 3}), (GridCell{5, 4}));
    EXPECT_EQ(AdvanceCellTarget({128, 10}), (GridCell{128, 11}));
    EXPECT_EQ(AdvanceCellTarget({128, 11}), std::nullopt);

    EXPECT_EQ(VerticalMoveTarget(2, true), 1);
    EXPECT_EQ(VerticalMoveTarget(1, true), std::nullopt);
    EXPECT_EQ(VerticalMoveTarget(127, false), 128);
    EXPECT_EQ(VerticalMoveTarget(128, false), std::nullopt);
    EXPECT_TRUE(VerticalMoveGoesToBandColumn(""));
    EXPECT_FALSE(VerticalMoveGoesToBandColumn("VHF/UHF"));
}

TEST(ChannelNavigation, AnEmptyChannelIsEditedAtItsReceiveFrequency) {
    struct Case {
        int column;
        const char* cell;
        const char* rx;
        int clickEdits;
        int keyOpens;
    } cases[] = {
        {7, "", "", 2, 7},           // lists open where they are on a key
        {3, "145.50000", "", 3, 2},  // a transmit frequency of an empty channel still shows
        {3, "", "", 2, 2},
        {11, "", "", 2, 2},
        {4, "D023N", "", 2, 4},  // a tone of an empty channel can show
        {1, "", "", 1, 1},
        {2, "", "", 2, 2},
        {7, "", "145.50000", 7, 7},  // channels in use: everything where it is
        {11, "", "145.50000", 11, 11},
        {4, "OFF", "145.50000", 4, 4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClickEditColumn(c.column, c.cell, c.rx), c.clickEdits)
            << c.column << " '" << c.cell << "' rx '" << c.rx << "'";
        EXPECT_EQ(OpenEditorColumn(c.column, c.rx), c.keyOpens) << c.column << " rx '" << c.rx << "'";
    }
}

TEST(EditFilters, NameAndNumericFields) {
    struct NameCase {
        char32_t c;
        std::size_t length;
        bool selection;
        bool accepted;
    } names[] = {
        {U'a', 0, false, true}, {U'Z', 6, false, true},  {U'7', 6, false, true},  {U'A', 7, false, false},
        {U'A', 7, true, true},  {8, 7, false, true},     {U' ', 0, false, false}, {U'-', 0, false, false},
        {22, 0, false, false},  {U'.', 0, false, false}, {0xE9, 0, false, false},
    };
    for (const NameCase& c : names)
        EXPECT_EQ(NameEditAccepts(c.c, c.length, c.selection), c.accepted)
            << static_cast<unsigned>(c.c) << " at length " << c.length;

    struct NumericCase {
        char32_t c;
        bool buttonDown;
        bool accepted;
    } numbers[] = {
        {U'0', false, true}, {U'9', false, true}, {U'.', false, true},  {8, false, true},     {3, false, true},
        {22, false, true},   {24, false, true},   {U'a', false, false}, {U'-', false, false}, {U',', false, false},
        {1, false, false},   {26, false, false},  {U'5', true, false},  {8, true, false},
    };
    for (const NumericCase& c : numbers)
        EXPECT_EQ(NumericEditAccepts(c.c, c.buttonDown), c.accepted)
            << static_cast<unsigned>(c.c) << " " << c.buttonDown;
}

TEST(EditFilters, WholeTextsAsAPasteOrAKeyWouldLeaveThem) {
    struct Case {
        const char* text;
        bool numeric;
        bool name;
    } cases[] = {
        {"", true, true},           {"145.5", true, false}, {"145", true, true},
        {"145.5.5", false, false},  {"..", false, false},   {"145.5\n", false, false},
        {"145\r\n5", false, false}, {" 145", false, false}, {"ABc1234", false, true},
        {"ABc12345", false, false}, {"A B", false, false},  {"\xE5\x8F\xB0", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NumericTextAccepts(c.text), c.numeric) << c.text;
        EXPECT_EQ(NameTextAccepts(c.text), c.name) << c.text;
    }
}

}  // namespace
}  // namespace radioprog
