// SPDX-License-Identifier: GPL-3.0-or-later
// The settings page: what each line prints for the default image, and where.
#include "print/settings_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "print/fixed_measure.h"
#include "print/page_plan.h"

namespace radioprog {
namespace {

using test::FixedMeasure;
using test::NumberedRows;

PrintData DefaultPrintout() {
    RadioImage image;
    image.ApplyDefaults();
    return PrintDataFromImage(image, NumberedRows());
}

TEST(SettingsPage, DefaultImageLines) {
    using B = SettingsBlock;
    const std::vector<std::tuple<SettingsBlock, int, std::string, std::string>> expected{
        {B::General, 1, "R43= ", "45"},
        {B::General, 2, "R44= ", "5"},
        {B::General, 3, "R60= ", "R45"},
        {B::General, 4, "R61= ", "R62"},
        {B::General, 5, "R64= ", "R159"},
        {B::General, 6, "R65= ", "R47"},
        {B::General, 7, "R71= ", ""},
        {B::General, 8, "R134= ", "R6"},
        {B::General, 9, "R135= ", "R161"},
        {B::General, 10, "R136= ", "R6"},
        {B::General, 11, "R137= ", "R6"},
        {B::General, 12, "R140= ", "R125"},
        {B::General, 13, "R152= ", "R6"},
        {B::General, 14, "R141^= ", ""},
        {B::General, 15, "R141V= ", ""},
        {B::General, 16, "R58= ", "0"},
        {B::SideA, 1, "R74= ", "136.00000"},
        {B::SideA, 2, "R22= ", "R2"},
        {B::SideA, 3, "R75= ", "R12"},
        {B::SideA, 4, "R76= ", "R12"},
        {B::SideA, 5, "R24= ", "R11"},
        {B::SideA, 6, "R77= ", "R45"},
        {B::SideA, 7, "R80= ", "00.600"},
        {B::SideA, 8, "R81= ", "R83"},
        {B::SideA, 9, "R86= ", "5"},
        {B::SideA, 10, "R88= ", "10"},
        {B::SideB, 11, "R74= ", "400.00000"},
        {B::SideB, 12, "R22= ", "R2"},
        {B::SideB, 13, "R75= ", "R12"},
        {B::SideB, 14, "R76= ", "R12"},
        {B::SideB, 15, "R24= ", "R11"},
        {B::SideB, 16, "R77= ", "R45"},
        {B::SideB, 17, "R80= ", "00.600"},
        {B::SideB, 18, "R81= ", "R83"},
        // The hidden B squelch list is never loaded: nothing selected.
        {B::SideB, 19, "R87= ", "-1"},
        {B::SideB, 20, "R89= ", "10"},
        {B::SideB, 23, "R56= ", "0"},
        {B::SideB, 24, "R57= ", "1"},
        {B::SideB, 25, "R114= ", "0"},
    };
    const PrintData data = DefaultPrintout();
    std::vector<std::tuple<SettingsBlock, int, std::string, std::string>> printed;
    for (const SettingsPageLine& line : SettingsPageLines(data))
        printed.emplace_back(line.block, line.line, line.label, line.value);
    EXPECT_EQ(printed, expected);
}

TEST(SettingsPage, StepLinesPrintTheStepTheListShows) {
    PrintData data = DefaultPrintout();
    const std::pair<int, std::string> cases[] = {{0, "2.5"}, {2, "6.25"}, {5, "25"}, {6, ""}, {-1, ""}};
    for (const auto& [index, text] : cases) {
        data.form.setSelection(settings_control::kStep[1], index);
        const auto lines = SettingsPageLines(data);
        auto step =
            std::find_if(lines.begin(), lines.end(), [](const SettingsPageLine& l) { return l.label == "R89= "; });
        ASSERT_NE(step, lines.end());
        EXPECT_EQ(step->value, text) << index;
    }
}

TEST(SettingsPage, ListLinesPrintWhatTheListShowsNow) {
    PrintData data = DefaultPrintout();
    data.shownTexts[settings_control::kTxTimeout] = "600";  // chosen, not yet exchanged with the form
    data.shownTexts[settings_control::kSquelch] = "9";      // the squelch line prints the exchanged index
    const auto lines = SettingsPageLines(data);
    EXPECT_EQ(lines[0].value, "600");
    EXPECT_EQ(lines[16 + 8].value, "5");
    const auto& shown = SettingsPageShownControls();
    EXPECT_NE(std::find(shown.begin(), shown.end(), settings_control::kTxTimeout), shown.end());
    EXPECT_EQ(std::find(shown.begin(), shown.end(), settings_control::kSquelch), shown.end());
}

TEST(SettingsPage, BlocksArePlacedByTheirWidestTexts) {
    FixedMeasure measure;
    const PrintData data = DefaultPrintout();
    // h = 10, W = 522, M = 739; d5 = 40 / 5, d25 = 40 / 25.
    const PageMetrics m = MeasurePageMetrics(2000, 1000, measure, data.language);
    ASSERT_EQ(m.leftMargin, 739);
    const PagePlan plan = PlanPage(kSettingsPage, data, m, measure);
    // LA = M + 2 d5; VA = LA + the widest block-1 label ("R141^= ", wider than "R44= ");
    // the room is the widest value ("R159") + 3 d5, more than row 68 keeps.
    // LB = VA + room + 2 d5; VB = LB + width("R81= "); its room: "136.00000" + 3 d5.
    // LC = VB + room + 10 d5; VC = LC + the widest block-3 label.
    const int la = 755, va = 825, roomA = 64, lb = 905, vb = 955, roomB = 114, lc = 1149;
    EXPECT_EQ(plan.frames,
              (std::vector<PlanRect>{{la - 8, 55, va + roomA - 8, 237}, {lb - 8, 55, vb + roomB - 8, 177}}));

    auto at = [&](const std::string& text) {
        for (const PlanText& t : plan.texts)
            if (t.text == text) return std::make_pair(t.x, t.y);
        return std::make_pair(-1, -1);
    };
    EXPECT_EQ(at("R72"), std::make_pair(lb + 8, 55));  // the title sits on its frame
    EXPECT_EQ(at("R43= "), std::make_pair(la, 71));    // line k at (6 + k) h + d25
    EXPECT_EQ(at("45"), std::make_pair(va, 71));
    EXPECT_EQ(at("R58= "), std::make_pair(la, 221));
    EXPECT_EQ(at("R86= "), std::make_pair(lb, 151));
    EXPECT_EQ(at("136.00000"), std::make_pair(vb, 71));
    EXPECT_EQ(at("R114= "), std::make_pair(lc, 311));
    for (const PlanText& t : plan.texts) EXPECT_EQ(t.opaque, t.text == "R72") << t.text;
}

TEST(SettingsPage, ValuesKeepAMarginInsideTheirFramesAndLabelsEndBeforeThem) {
    FixedMeasure measure;
    for (const char* longValue : {"R1", "Longer value"}) {
        PrintData data = DefaultPrintout();
        data.language.rows[lang_row::kAlarmOnSite] = longValue;       // an alarm-mode entry, shown in block 1
        data.language.rows[lang_row::kDisplayFrequency] = longValue;  // a display mode, shown in blocks 2 and 3
        data.language.rows[lang_row::kSixCharText] = "A label much wider than row 44";
        const PageMetrics m = MeasurePageMetrics(2000, 1000, measure, data.language);
        const PagePlan plan = PlanPage(kSettingsPage, data, m, measure);
        const int d5 = 8;
        ASSERT_EQ(plan.frames.size(), 2u);
        for (std::size_t i = 0; i + 1 < plan.texts.size(); ++i) {
            const PlanText& label = plan.texts[i];
            const PlanText& value = plan.texts[i + 1];
            if (label.y != value.y || label.text.find("= ") == std::string::npos) continue;
            EXPECT_LE(label.x + measure.width(label.font, label.text), value.x) << label.text;
            EXPECT_GE(value.room, measure.width(value.font, value.text)) << value.text;  // printed whole
            for (const PlanRect& frame : plan.frames) {
                if (value.x > frame.left && value.x < frame.right) {
                    EXPECT_LE(value.x + measure.width(value.font, value.text), frame.right - 2 * d5) << value.text;
                }
            }
        }
    }
}

}  // namespace
}  // namespace radioprog
