// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/settings_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "model/byte_order.h"
#include "model/channel_record.h"
#include "radio/new_image.h"
#include "radio/settings_table.h"
#include "radio/settings_text.h"
#include "radio/settings_vfo.h"
#include "support/same_image.h"

namespace radioprog {
namespace {

namespace sc = settings_control;

LanguageTable Rows() {
    LanguageTable table;
    for (std::size_t r = 0; r < table.rows.size(); ++r) table.rows[r] = "r" + std::to_string(r);
    table.rows[lang_row::kToneOff] = "OFF";
    return table;
}

RadioImage Defaults() {
    RadioImage image;
    WriteNewImage(image);
    return image;
}

SettingsForm Loaded(const RadioImage& image) {
    SettingsForm form;
    LoadFromImage(form, image, Rows());
    return form;
}

TEST(SettingsForm, ANewFormSelectsNothing) {
    SettingsForm form;
    EXPECT_EQ(form.selection(sc::kTxTimeout), -1);
    EXPECT_EQ(form.selection(sc::kTxTone[1]), -1);
    EXPECT_EQ(form.check(sc::kDualWatch), 0);
    EXPECT_EQ(form.workMode(), -1);
    EXPECT_EQ(form.text(sc::kFrequency[0]), "");
    EXPECT_EQ(form.channelCount, 128);
}

TEST(SettingsForm, DefaultImageLoadsAsListed) {
    LanguageTable rows = Rows();
    SettingsForm form = Loaded(Defaults());
    auto text = [&](int id) { return SettingsTextOf(form, id, rows); };
    EXPECT_EQ(form.text(sc::kFrequency[0]), "136.00000");
    EXPECT_EQ(text(sc::kBand[0]), "VHF");
    EXPECT_EQ(form.text(sc::kRange[0]), "136-260.0000");
    EXPECT_EQ(text(sc::kTxTone[0]), "OFF");
    EXPECT_EQ(text(sc::kRxTone[0]), "OFF");
    EXPECT_EQ(text(sc::kPower[0]), "r2");
    EXPECT_EQ(text(sc::kBandwidth[0]), "r11");
    EXPECT_EQ(text(sc::kSignalling[0]), "1");
    EXPECT_EQ(form.text(sc::kFrequency[1]), "400.00000");
    EXPECT_EQ(text(sc::kBand[1]), "UHF");
    EXPECT_EQ(form.text(sc::kRange[1]), "400-520.0000");
    EXPECT_EQ(text(sc::kOffset[0]), "00.600");
    EXPECT_EQ(text(sc::kOffset[1]), "00.600");
    EXPECT_EQ(text(sc::kTxTimeout), "45");
    EXPECT_EQ(text(sc::kSquelch), "5");
    EXPECT_EQ(text(sc::kStep[0]), "10");
    EXPECT_EQ(text(sc::kStep[1]), "10");
    EXPECT_EQ(form.text(sc::kSixCharText), "");
    EXPECT_EQ(form.selection(sc::kDisplayModeA), 2);
    EXPECT_EQ(form.selection(sc::kDisplayModeB), 2);
    // Every settings row loads the default the table records.
    for (const SettingRow& row : SettingsTable())
        EXPECT_EQ(form.value(row.control.id), row.defaultValue) << row.control.id;
}

TEST(SettingsForm, StoringTheUnchangedDefaultChangesOnlyTheDisplayModes) {
    RadioImage image = Defaults();
    SettingsForm form = Loaded(image);
    StoreToImage(form, image, Rows());
    RadioImage expected = Defaults();
    expected.settingsByte(0x0E20) = 3;
    expected.settingsByte(0x0E37) = 3;
    EXPECT_SAME_IMAGE(image, expected);
    EXPECT_EQ(form.selection(sc::kDisplayModeA), 3);
    EXPECT_EQ(SettingsTextOf(form, sc::kDisplayModeA, Rows()), "");
}

TEST(SettingsForm, WithAChannelTheDisplayModesFollowTheirBytes) {
    RadioImage image = Defaults();
    ChannelRef(image, 77).setRxFrequency(0x14550000);
    image.settingsByte(0x0E37) = 1;
    image.settingsByte(0x0E20) = 4;
    SettingsForm form = Loaded(image);
    EXPECT_EQ(form.selection(sc::kDisplayModeA), 1);
    EXPECT_EQ(form.selection(sc::kDisplayModeB), 1);
    StoreToImage(form, image, Rows());
    EXPECT_EQ(image.settingsByte(0x0E37), 1);
    EXPECT_EQ(image.settingsByte(0x0E20), 1);
}

TEST(SettingsForm, AnAllFFSettingsBlockLoadsReducedAndStoresBack) {
    RadioImage image = Defaults();
    for (std::uint16_t a = 0x0E20; a <= 0x0E5F; ++a) image.settingsByte(a) = 0xFF;
    SettingsForm form = Loaded(image);
    EXPECT_EQ(SettingsTextOf(form, sc::kTxTimeout, Rows()), "240");  // time-out index 15
    EXPECT_EQ(form.selection(sc::kSquelch), 5);                      // squelch
    EXPECT_EQ(form.selection(sc::kVox), 5);                          // voice-operated transmit
    EXPECT_EQ(form.selection(sc::kScanMode), 0);                     // scan mode
    EXPECT_EQ(form.selection(sc::kPowerSave), 0);                    // power save
    EXPECT_EQ(form.workMode(), -1);
    EXPECT_EQ(form.selection(sc::kIdDelay), -1);    // ID send delay: 255 has no entry
    EXPECT_EQ(form.selection(sc::kAlarmMode), -1);  // alarm mode: bits 0-1 = 3, three entries
    EXPECT_EQ(form.selection(sc::kEndTone), -1);    // end tone: two entries

    RadioImage stored = image;
    StoreToImage(form, stored, Rows());
    EXPECT_EQ(stored.settingsByte(0x0E4C), 0xFF);
    EXPECT_EQ(stored.settingsByte(0x0E34), 0xFF);
    EXPECT_EQ(stored.settingsByte(0x0E40), 0xFF);
    EXPECT_EQ(stored.settingsByte(0x0E26), 15);
    EXPECT_EQ(stored.settingsByte(0x0E22), 5);
    EXPECT_EQ(stored.settingsByte(0x0E21), 3);  // step: 255 mod 7
    EXPECT_EQ(stored.settingsByte(0x0E30), 3);
    EXPECT_EQ(stored.settingsByte(0x0E27), 1);
    EXPECT_EQ(stored.settingsByte(0x0E20), 3);
    EXPECT_EQ(stored.settingsByte(0x0E37), 3);
    for (std::uint16_t a = 0x0E50; a <= 0x0E55; ++a) EXPECT_EQ(stored.settingsByte(a), ' ');
    // Bytes no control of this form owns (no row, not the six-character text) keep their content.
    for (std::uint16_t a = 0x0E20; a <= 0x0E5F; ++a) {
        const bool owned = a >= kSixCharTextAddress && a < kSixCharTextAddress + 6;
        const auto& table = SettingsTable();
        if (owned || std::any_of(table.begin(), table.end(), [a](const SettingRow& row) { return row.address == a; }))
            continue;
        EXPECT_EQ(stored.settingsByte(a), 0xFF) << std::hex << a;
    }
}

TEST(SettingsForm, AWorkModeByteWithoutButtonIsStoredAsFF) {
    RadioImage image = Defaults();
    image.settingsByte(0x0E4C) = 5;
    SettingsForm form = Loaded(image);
    EXPECT_EQ(form.workMode(), -1);
    StoreToImage(form, image, Rows());
    EXPECT_EQ(image.settingsByte(0x0E4C), 0xFF);
}

TEST(SettingsForm, MaskedBytesAreStoredAsTheirIndex) {
    RadioImage image = Defaults();
    image.settingsByte(0x0E3D) = 0xF6;  // backlight: bits 0-1 = 2
    image.settingsByte(0x0E27) = 0x02;  // dual watch: bit 0 clear
    SettingsForm form = Loaded(image);
    StoreToImage(form, image, Rows());
    EXPECT_EQ(image.settingsByte(0x0E3D), 2);
    EXPECT_EQ(image.settingsByte(0x0E27), 0);
}

// A VFO entry with every field away from its default, to see what a cleared frequency
// writes and what it leaves.
void FillVfo(RadioImage& image, int side) {
    std::uint8_t* entry = image.vfoEntry(side);
    WriteLe32(entry + 0, 0x14552000);
    WriteLe32(entry + 4, 0x14612500);
    WriteLe16(entry + 8, 885);
    WriteLe16(entry + 10, 0x2813);
    WriteLe16(entry + 12, static_cast<std::uint16_t>((1 << 6) | (1 << 3) | (1 << 0) | (1 << 15)));
    entry[14] = 7;
    entry[15] = static_cast<std::uint8_t>(1 - side);
}

TEST(SettingsForm, ClearingTheFrequenciesMarksBothEntriesUnset) {
    RadioImage image = Defaults();
    FillVfo(image, 0);
    FillVfo(image, 1);
    SettingsForm form = Loaded(image);
    form.setText(sc::kFrequency[0], "");
    form.setText(sc::kFrequency[1], "");
    StoreToImage(form, image, Rows());
    for (int side : {0, 1}) {
        const std::uint8_t* entry = image.vfoEntry(side);
        SCOPED_TRACE(side);
        EXPECT_EQ(ReadLe32(entry + 0), 0xFFFFFFFFu);
        EXPECT_EQ(ReadLe32(entry + 4), 0x14612500u);  // transmit frequency untouched
        EXPECT_EQ(ReadLe16(entry + 8), 0xFFFF);
        EXPECT_EQ(ReadLe16(entry + 10), 0xFFFF);
        // Bits 13 and 12 set, bits 5-6 = 01, bit 3 clear, the other bits kept.
        EXPECT_EQ(ReadLe16(entry + 12), (1 << 15) | (1 << 13) | (1 << 12) | (1 << 5) | (1 << 0));
        EXPECT_EQ(entry[14], 0);
        EXPECT_EQ(entry[15], side);
    }
    // Loading an unset entry leaves the band of A, sets B to UHF.
    form = Loaded(image);
    EXPECT_EQ(form.text(sc::kFrequency[0]), "");
    EXPECT_EQ(form.selection(sc::kPower[0]), -1);
    EXPECT_EQ(form.selection(sc::kBand[0]), -1);
    EXPECT_EQ(form.selection(sc::kBand[1]), 1);
}

TEST(SettingsForm, AFrequencyTypedIntoAClearedEntryStoresAnEntryTheRadioAccepts) {
    // Cleared, loaded, typed again: the lists showed nothing, so the entry takes a new
    // image's power, bandwidth, signalling and hidden bits; its band follows the frequency.
    const RadioImage fresh = Defaults();
    struct Case {
        int side;
        const char* typed;
        int band;
        const char* range;
    } cases[] = {{0, "145.5", 0, "136-260.0000"},
                 {1, "145.5", 0, "136-260.0000"},
                 {0, "438.5", 1, "400-520.0000"},
                 {1, "438.5", 1, "400-520.0000"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.side) + " " + c.typed);
        RadioImage image = Defaults();
        FillVfo(image, c.side);
        SettingsForm form = Loaded(image);
        form.setText(sc::kFrequency[c.side], "");
        StoreToImage(form, image, Rows());
        form = Loaded(image);
        form.setText(sc::kFrequency[c.side], c.typed);
        StoreToImage(form, image, Rows());
        const std::uint8_t* entry = image.vfoEntry(c.side);
        const std::uint16_t newFlags = ReadLe16(fresh.vfoEntry(c.side) + 12);
        const std::uint16_t flags = ReadLe16(entry + 12);
        for (int bit : {vfo_flag::kPower, vfo_flag::kBandwidth, 5, 6, vfo_flag::kBusyLockout})
            EXPECT_EQ((flags >> bit) & 1, (newFlags >> bit) & 1) << "bit " << bit;
        EXPECT_EQ(entry[14], fresh.vfoEntry(c.side)[14]);  // signalling
        EXPECT_EQ(entry[15], c.band);
        EXPECT_EQ(form.text(sc::kRange[c.side]), c.range);  // the form shows what was stored
        EXPECT_EQ(Loaded(image).text(sc::kRange[c.side]), c.range);
        EXPECT_EQ(Loaded(image).selection(sc::kSignalling[c.side]), 0);
    }
    // What the user chose in a list before typing stays chosen.
    RadioImage image = Defaults();
    SettingsForm form = Loaded(image);
    form.setText(sc::kFrequency[0], "");
    StoreToImage(form, image, Rows());
    form = Loaded(image);
    form.setValue(sc::kPower[0], 0);
    form.setText(sc::kFrequency[0], "145.5");
    StoreToImage(form, image, Rows());
    EXPECT_EQ((ReadLe16(image.vfoEntry(0) + 12) >> vfo_flag::kPower) & 1, 0);
}

TEST(SettingsForm, ASetEntryRoundTripsEveryField) {
    RadioImage image = Defaults();
    FillVfo(image, 0);
    WriteLe16(image.vfoEntry(0) + 10, 0xA9EC);  // D754I
    SettingsForm form = Loaded(image);
    EXPECT_EQ(form.text(sc::kFrequency[0]), "145.52000");
    EXPECT_EQ(SettingsTextOf(form, sc::kRxTone[0], Rows()), "88.5");
    EXPECT_EQ(SettingsTextOf(form, sc::kTxTone[0], Rows()), "D754I");
    EXPECT_EQ(form.selection(sc::kHiddenField[0]), 2);  // kept although list 1102 has no entries
    EXPECT_EQ(form.check(sc::kBusyLockout[0]), 1);
    EXPECT_EQ(form.selection(sc::kSignalling[0]), 7);
    EXPECT_EQ(form.text(sc::kRange[0]), "400-520.0000");
    RadioImage before = image;
    StoreToImage(form, image, Rows());
    // The transmit frequency follows the receive frequency; everything else is as loaded.
    WriteLe32(before.vfoEntry(0) + 4, 0x14552000);
    EXPECT_EQ(std::vector<std::uint8_t>(image.vfoEntry(0), image.vfoEntry(0) + 16),
              std::vector<std::uint8_t>(before.vfoEntry(0), before.vfoEntry(0) + 16));
}

TEST(SettingsForm, AToneThatNoEntryShowsIsKeptOnStore) {
    RadioImage image = Defaults();
    WriteLe16(image.vfoEntry(1) + 8, 671);  // 67.1 Hz is not in the list
    SettingsForm form = Loaded(image);
    EXPECT_EQ(form.selection(sc::kRxTone[1]), -1);
    StoreToImage(form, image, Rows());
    EXPECT_EQ(ReadLe16(image.vfoEntry(1) + 8), 671);
}

TEST(SettingsForm, ToneOffStaysOffWhateverTheOffText) {
    LanguageTable rows = Rows();
    rows.rows[lang_row::kToneOff] = "";
    RadioImage image = Defaults();
    SettingsForm form;
    LoadFromImage(form, image, rows);
    EXPECT_EQ(form.selection(sc::kRxTone[0]), 0);
    StoreToImage(form, image, rows);
    EXPECT_EQ(ReadLe16(image.vfoEntry(0) + 8), 0xFFFF);
}

TEST(SettingsForm, StoredFrequencyIsSnappedToTheShownStepAndShown) {
    RadioImage image = Defaults();
    SettingsForm form = Loaded(image);
    form.setSelection(sc::kStep[0], 0);  // "2.5"
    form.setText(sc::kFrequency[0], "145.12345");
    form.setSelection(sc::kStep[1], 4);  // "12.5"
    form.setText(sc::kFrequency[1], "439.99");
    StoreToImage(form, image, Rows());
    EXPECT_EQ(form.text(sc::kFrequency[0]), "145.12250");
    EXPECT_EQ(ReadLe32(image.vfoEntry(0) + 0), 0x14512250u);
    EXPECT_EQ(ReadLe32(image.vfoEntry(0) + 4), 0x14512250u);
    EXPECT_EQ(form.text(sc::kFrequency[1]), "439.98750");
    EXPECT_EQ(ReadLe32(image.vfoEntry(1) + 4), 0x43998750u);
    EXPECT_EQ(image.settingsByte(0x0E21), 0);
    EXPECT_EQ(image.settingsByte(0x0E31), 4);
}

TEST(SettingsForm, OffsetsLoadAndStore) {
    RadioImage image = Defaults();
    const std::uint8_t far[] = {5, 7, 0, 0, 0, 0};  // direction 5 mod 3, 70000 kHz
    std::copy(std::begin(far), std::end(far), image.offsetEntry(1));
    SettingsForm form = Loaded(image);
    EXPECT_EQ(form.selection(sc::kDirection[1]), 2);
    EXPECT_EQ(form.selection(sc::kOffset[1]), 0);
    form.setSelection(sc::kOffset[0], 247);
    StoreToImage(form, image, Rows());
    const std::uint8_t a[] = {0, 1, 2, 3, 5, 0, 0};
    EXPECT_TRUE(std::equal(std::begin(a), std::end(a), image.offsetEntry(0)));
    EXPECT_EQ(image.offsetEntry(1)[0], 2);
}

TEST(SettingsForm, SixCharTextRoundTrip) {
    RadioImage image = Defaults();
    SettingsForm form = Loaded(image);
    form.setText(sc::kSixCharText, "ab/c");
    StoreToImage(form, image, Rows());
    EXPECT_EQ(std::string(&image.settingsByte(0x0E50), &image.settingsByte(0x0E50) + 6), "AB-C  ");
    EXPECT_EQ(Loaded(image).text(sc::kSixCharText), "AB-C");
}

TEST(SettingsLists, EntriesResolveFromTheLanguageTable) {
    LanguageTable rows = Rows();
    struct Case {
        int id;
        std::size_t count;
        int index;
        const char* text;
    };
    const Case cases[] = {
        {sc::kTxTimeout, 40, 39, "600"},
        {sc::kSideTone, 4, 3, "r130+r131"},
        {sc::kFmr, 6, 2, "2000r154"},
        {sc::kPowerSave, 5, 0, "r6"},
        {sc::kRepeaterTailElimination, 11, 10, "1000"},
        {sc::kIdDelay, 31, 30, "30"},
        {sc::kPriorityChannel, 129, 128, "128"},
        {sc::kHiddenField[1], 31, 30, "30"},
        {sc::kHiddenField[0], 0, 0, nullptr},
        {sc::kTxTone[0], 259, 258, "D754I"},
        {sc::kOffset[0], 1400, 12, "00.600"},
        {sc::kStep[0], 6, 0, "2.5"},
        {sc::kSignalling[0], 15, 14, "15"},
        {sc::kSquelchB, 10, 9, "9"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> entries = SettingsListEntries(c.id, rows);
        ASSERT_EQ(entries.size(), c.count) << c.id;
        if (c.text != nullptr) {
            EXPECT_EQ(entries[static_cast<std::size_t>(c.index)], c.text) << c.id;
        }
    }
}

TEST(SettingsLists, ControlIdsAreUnique) {
    std::set<int> ids;
    for (const FormControl& control : SettingsFormControls())
        if (control.id != 0) {
            EXPECT_TRUE(ids.insert(control.id).second) << control.id;
        }
}

TEST(SelectByPrefix, SearchesFromTheSecondEntryAndWraps) {
    const std::vector<std::string> entries = {"ab", "abc", "D023N", "x"};
    EXPECT_EQ(SelectByPrefix(entries, "ab"), 1);
    EXPECT_EQ(SelectByPrefix(entries, "d023"), 2);
    EXPECT_EQ(SelectByPrefix({"OFF", "67.0"}, "off"), 0);
    EXPECT_EQ(SelectByPrefix(entries, "y"), -1);
    EXPECT_EQ(SelectByPrefix({}, "y"), -1);
}

// Controls that answer every read with a marker value.
class FakeControls : public SettingsControls {
public:
    std::string count = "128";
    std::map<int, std::string> texts;
    int selection(int) const override { return 1; }
    int check(int) const override { return 1; }
    std::string text(int id) const override {
        if (id == sc::kChannelCount) return count;
        auto it = texts.find(id);
        return it == texts.end() ? "typed" : it->second;
    }
    int radioIndex(int) const override { return 1; }
    void showSelection(int id, int index) override { shown[id] = std::to_string(index); }
    void showCheck(int id, int state) override { shown[id] = std::to_string(state); }
    void showText(int id, const std::string& text) override { shown[id] = text; }
    void showRadioIndex(int id, int index) override { shown[id] = std::to_string(index); }
    std::map<int, std::string> shown;
};

TEST(SettingsExchange, ARefusedChannelCountStopsTheReadingThere) {
    for (const char* count : {"0", "129", "abc", ""}) {
        SCOPED_TRACE(count);
        SettingsForm form;
        form.setText(sc::kRange[0], "before");
        FakeControls controls;
        controls.count = count;
        EXPECT_EQ(ReadSettingsForm(form, controls), ReadResult::StoppedAtChannelCount);
        // Read before the count:
        EXPECT_EQ(form.text(sc::kFrequency[0]), "typed");
        EXPECT_EQ(form.selection(sc::kBand[0]), 1);
        EXPECT_EQ(form.check(sc::kKeyBeep), 1);
        // Left as they were after it:
        EXPECT_EQ(form.text(sc::kRange[0]), "before");
        EXPECT_EQ(form.text(sc::kRange[1]), "");
        for (int id : {sc::kBand[1], sc::kDualWatch, sc::kWorkMode, sc::kPttId, sc::kBusyLockout[0],
                       sc::kBusyLockout[1], sc::kFmRadio})
            EXPECT_EQ(form.value(id), id == sc::kBand[1] || id == sc::kWorkMode || id == sc::kPttId ? -1 : 0) << id;
    }
}

TEST(SettingsExchange, AValidCountReadsEveryVisibleControlAndNoHiddenOne) {
    SettingsForm form;
    form.setText(sc::kSixCharText, "KEEP");
    form.setValue(sc::kTxEndTone, 0);
    FakeControls controls;
    controls.count = " 64 ";
    EXPECT_EQ(ReadSettingsForm(form, controls), ReadResult::Complete);
    EXPECT_EQ(form.channelCount, 64);
    EXPECT_EQ(form.workMode(), 1);
    EXPECT_EQ(form.check(sc::kFmRadio), 1);
    EXPECT_EQ(form.text(sc::kRange[1]), "typed");
    EXPECT_EQ(form.text(sc::kSixCharText), "KEEP");
    EXPECT_EQ(form.selection(sc::kTxEndTone), 0);

    ShowSettingsForm(form, controls);
    EXPECT_EQ(controls.shown[sc::kChannelCount], "64");
    EXPECT_EQ(controls.shown.count(sc::kSixCharText), 0u);
}

TEST(SettingsExchange, BandChangeAndFrequencyFilter) {
    SettingsForm form;
    FakeControls controls;
    controls.texts[sc::kFrequency[1]] = "145.5";
    EXPECT_TRUE(FilterFrequencyEdit(form, 1, controls));
    EXPECT_EQ(form.text(sc::kFrequency[1]), "145.5");
    controls.texts[sc::kFrequency[1]] = "145.5x";
    EXPECT_FALSE(FilterFrequencyEdit(form, 1, controls));
    EXPECT_EQ(form.text(sc::kFrequency[1]), "145.5");
    controls.texts[sc::kFrequency[1]] = "145.55555";
    EXPECT_TRUE(FilterFrequencyEdit(form, 1, controls));
    controls.texts[sc::kFrequency[1]] = "145.555551";
    EXPECT_FALSE(FilterFrequencyEdit(form, 1, controls));
    EXPECT_EQ(form.text(sc::kFrequency[1]), "145.55555");

    form.setSelection(sc::kBand[1], 0);
    ApplyBandChange(form, 1);
    EXPECT_EQ(form.text(sc::kRange[1]), "134-260.0000");
    EXPECT_EQ(form.text(sc::kFrequency[1]), "136.0250");
}

TEST(SettingsExchange, TheChannelCountRefusalNamesTheLimitsInTheLanguagesOrder) {
    LanguageTable language;  // built-in English
    EXPECT_EQ(ChannelCountRefusal(language), "Please enter an integer between 1 and 128.");
    language.rows[static_cast<std::size_t>(lang_row::kIntegerBetween)] = "请输入 %1 到 %2 之间的整数。";
    EXPECT_EQ(ChannelCountRefusal(language), "请输入 1 到 128 之间的整数。");
    language.rows[static_cast<std::size_t>(lang_row::kIntegerBetween)] = "No limits here";
    EXPECT_EQ(ChannelCountRefusal(language), "No limits here");
}

}  // namespace
}  // namespace radioprog
