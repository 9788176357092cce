// SPDX-License-Identifier: GPL-3.0-or-later
// The settings page: every setting the form shows, with the form's caption and value, and
// where it prints.
#include "print/settings_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "model/extra_rows.h"
#include "print/fixed_measure.h"
#include "print/page_plan.h"
#include "radio/new_image.h"
#include "radio/settings_form.h"

namespace radioprog {
namespace {

using test::FixedMeasure;
using test::NumberedRows;

PrintData DefaultPrintout() {
    RadioImage image;
    WriteNewImage(image);
    return PrintDataFromImage(image, NumberedRows());
}

const SettingsPageLine* LineOf(const std::vector<SettingsPageLine>& lines, int control) {
    for (const SettingsPageLine& line : lines)
        if (line.control == control) return &line;
    return nullptr;
}

// Every setting the form shows prints once, in its group's block, numbered from 1 in each
// block; a setting the form does not show prints nowhere.
TEST(SettingsPage, EverySettingTheFormShowsPrintsOnceInItsBlock) {
    namespace sc = settings_control;
    const PrintData data = DefaultPrintout();
    const std::vector<SettingsPageLine> lines = SettingsPageLines(data);
    int next[4] = {1, 1, 1, 1};
    for (const SettingsPageLine& line : lines) {
        EXPECT_EQ(line.line, next[static_cast<int>(line.block)]++) << line.label;
        const FormControl* control = FindSettingsControl(line.control);
        ASSERT_NE(control, nullptr);
        EXPECT_FALSE(control->hidden) << line.label;
        EXPECT_EQ(line.block, control->side == 0   ? SettingsBlock::SideA
                              : control->side == 1 ? SettingsBlock::SideB
                                                   : SettingsBlock::General)
            << line.label;
    }
    for (const FormControl& control : SettingsFormControls()) {
        const bool bound = BindingOf(control) != Binding::None && !control.hidden;
        EXPECT_EQ(LineOf(lines, control.id) != nullptr, bound) << control.id;
    }
    for (int hidden : {sc::kSquelchB, sc::kPriorityChannel, sc::kSixCharText, sc::kSixCharTextB, sc::kFmr})
        EXPECT_EQ(LineOf(lines, hidden), nullptr) << hidden;
}

// Captions are the form's; a check box prints the language's Yes or No, the work mode the
// caption of its checked button, a list its entry.
TEST(SettingsPage, CaptionsAndValuesAreTheForms) {
    namespace sc = settings_control;
    PrintData data = DefaultPrintout();
    data.form.setCheck(sc::kKeyLock, 1);
    data.form.setCheck(sc::kKeyBeep, 0);
    data.form.setValue(sc::kWorkMode, 1);
    data.form.setSelection(sc::kSquelch, 3);
    const std::vector<SettingsPageLine> lines = SettingsPageLines(data);
    const LanguageTable& language = data.language;
    auto line = [&](int control) {
        const SettingsPageLine* found = LineOf(lines, control);
        EXPECT_NE(found, nullptr) << control;
        return found ? *found : SettingsPageLine{};
    };
    EXPECT_EQ(line(sc::kKeyLock).label, language.row(FindSettingsControl(sc::kKeyLock)->captionRow) + "= ");
    EXPECT_EQ(line(sc::kKeyLock).value, language.row(lang_row::kYes));
    EXPECT_EQ(line(sc::kKeyBeep).value, language.row(lang_row::kNo));
    EXPECT_EQ(line(sc::kWorkMode).label, language.row(FindSettingsControl(sc::kWorkModeGroup)->captionRow) + "= ");
    EXPECT_EQ(line(sc::kWorkMode).value, language.row(FindSettingsControl(sc::kWorkModeChannel)->captionRow));
    EXPECT_EQ(line(sc::kSquelch).value, SettingsTextOf(data.form, sc::kSquelch, language));
    EXPECT_EQ(line(sc::kFrequency[1]).value, "400.00000");
    EXPECT_EQ(line(sc::kChannelCount).value, "128");
}

TEST(SettingsPage, StepLinesPrintTheStepTheListShows) {
    PrintData data = DefaultPrintout();
    const std::pair<int, std::string> cases[] = {{0, "2.5"}, {2, "6.25"}, {5, "25"}, {6, ""}, {-1, ""}};
    for (const auto& [index, text] : cases) {
        data.form.setSelection(settings_control::kStep[1], index);
        const auto lines = SettingsPageLines(data);
        const SettingsPageLine* step = LineOf(lines, settings_control::kStep[1]);
        ASSERT_NE(step, nullptr);
        EXPECT_EQ(step->value, text) << index;
    }
}

TEST(SettingsPage, ListLinesPrintWhatTheListShowsNow) {
    PrintData data = DefaultPrintout();
    data.shownTexts[settings_control::kTxTimeout] = "600";  // chosen, not yet exchanged with the form
    data.shownTexts[settings_control::kSquelch] = "9";
    const auto lines = SettingsPageLines(data);
    EXPECT_EQ(LineOf(lines, settings_control::kTxTimeout)->value, "600");
    EXPECT_EQ(LineOf(lines, settings_control::kSquelch)->value, "9");
    const auto& shown = SettingsPageShownControls();
    EXPECT_NE(std::find(shown.begin(), shown.end(), settings_control::kTxTimeout), shown.end());
    EXPECT_EQ(std::find(shown.begin(), shown.end(), settings_control::kSquelchB), shown.end());
}

// Three framed blocks side by side; A and B carry their titles on their frames; line k
// prints at (6 + k) h + d25 inside its block's frame.
TEST(SettingsPage, BlocksAreFramedAndLinesSitInsideThem) {
    FixedMeasure measure;
    const PrintData data = DefaultPrintout();
    const PageMetrics m = MeasurePageMetrics(2000, 1000, measure, data.language);
    const PagePlan plan = PlanPage(kSettingsPage, data, m, measure);
    ASSERT_EQ(plan.frames.size(), 3u);
    const int h = m.lineHeight, d25 = 1;
    for (std::size_t i = 0; i + 1 < plan.frames.size(); ++i) EXPECT_LT(plan.frames[i].right, plan.frames[i + 1].left);
    for (const char* title : {"R72", "R73"}) {
        const auto t =
            std::find_if(plan.texts.begin(), plan.texts.end(), [&](const PlanText& p) { return p.text == title; });
        ASSERT_NE(t, plan.texts.end()) << title;
        EXPECT_TRUE(t->opaque);
        EXPECT_EQ(t->y, plan.frames[std::string(title) == "R72" ? 1 : 2].top);
    }
    for (const SettingsPageLine& line : SettingsPageLines(data)) {
        const PlanRect& frame = plan.frames[static_cast<std::size_t>(line.block) - 1];
        // Blocks B and C print the same labels on the same lines: each within its own frame.
        const auto t = std::find_if(plan.texts.begin(), plan.texts.end(), [&](const PlanText& p) {
            return p.text == line.label && p.y == (6 + line.line) * h + d25 && p.x > frame.left && p.x < frame.right;
        });
        ASSERT_NE(t, plan.texts.end()) << line.label << " in block " << static_cast<int>(line.block);
        EXPECT_LT(t->y + h, frame.bottom) << line.label;
    }
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
        ASSERT_EQ(plan.frames.size(), 3u);
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
