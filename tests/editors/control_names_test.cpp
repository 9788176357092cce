// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader says: every visible list and edit of the forms is named after the
// label beside it, controls of the same name on the two sides are told apart, the rows of
// the code table are numbered, and a channel table cell tells its channel and column.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "editors/cell_speech.h"
#include "editors/dtmf_layout.h"
#include "model/extra_rows.h"
#include "radio/settings_form.h"
#include "radio/settings_layout.h"

namespace radioprog {
namespace {

LanguageTable Rows() {
    LanguageTable table;
    for (std::size_t r = 0; r < table.rows.size(); ++r) table.rows[r] = "r" + std::to_string(r);
    return table;
}

std::vector<FormControl> DtmfControls() {
    std::vector<FormControl> controls = DtmfLayout();
    for (const DtmfTableRow& row : DtmfCodeTable()) controls.insert(controls.end(), {row.number, row.code});
    return controls;
}

bool NeedsName(const FormControl& control) {
    return !control.hidden && (control.kind == ControlKind::List || control.kind == ControlKind::Edit);
}

TEST(ControlNames, EveryVisibleListAndEditOfBothFormsHasItsOwnName) {
    const LanguageTable language = Rows();
    for (const std::vector<FormControl>& form : {SettingsFormControls(), DtmfControls()}) {
        std::set<std::string> seen;
        for (const FormControl& control : form) {
            if (!NeedsName(control)) continue;
            const std::string name = ControlName(control, language);
            SCOPED_TRACE("control " + std::to_string(control.id));
            EXPECT_FALSE(name.empty());
            // Two controls of one name are told apart by their description (side A or B).
            EXPECT_TRUE(seen.insert(name + "|" + ControlDescription(control, language)).second) << name;
        }
    }
}

TEST(ControlNames, AListIsNamedAfterTheCaptionShownBesideIt) {
    const LanguageTable language = Rows();
    // Each visible list's caption label is the control just before it in the table.
    const std::vector<FormControl>& form = SettingsFormControls();
    int checked = 0;
    for (std::size_t i = 1; i < form.size(); ++i) {
        if (!NeedsName(form[i]) || form[i - 1].kind != ControlKind::Label || form[i - 1].hidden) continue;
        EXPECT_EQ(ControlName(form[i], language), language.row(form[i - 1].captionRow)) << form[i].id;
        ++checked;
    }
    EXPECT_GT(checked, 20);
}

TEST(ControlNames, TheTwoSidesAreDescribedAndTheCodeRowsNumbered) {
    const LanguageTable language = Rows();
    for (const FormControl& control : SettingsFormControls()) {
        if (NeedsName(control) && control.side >= 0) {
            EXPECT_EQ(ControlDescription(control, language), language.row(lang_row::kVfoA + control.side))
                << control.id;
        }
    }
    const DtmfTableRow& third = DtmfCodeTable()[2];
    EXPECT_EQ(ControlName(third.code, language), language.row(lang_row::kDtmfCode) + " 3");
    EXPECT_EQ(ControlName(third.number, language), language.row(lang_row::kDtmfGroup) + " 3");
}

TEST(ControlNames, ACaptionLosesItsAcceleratorMarkAndColon) {
    struct Case {
        std::string caption;
        int number;
        std::string name;
    };
    const Case cases[] = {
        {"Step:", 0, "Step"},
        {"步进：", 0, "步进"},
        {"&Squelch level :", 0, "Squelch level"},
        {"Code", 12, "Code 12"},
    };
    for (const Case& c : cases) {
        LanguageTable language;
        language.rows[lang_row::kSquelch] = c.caption;
        FormControl control;
        control.kind = ControlKind::List;
        control.nameRow = lang_row::kSquelch;
        control.nameNumber = c.number;
        EXPECT_EQ(ControlName(control, language), c.name) << c.caption;
    }
}

TEST(CellSpeech, SaysChannelColumnAndValueAndAnEmptyCellAsEmpty) {
    LanguageTable language;
    language.rows[lang_row::kChannel] = "Channel";
    language.rows[lang_row::kEmptyCellSpeech] = "empty";
    EXPECT_EQ(CellSpeech(language, 5, "RX Freq", "145.50000"), "Channel 5, RX Freq, 145.50000");
    EXPECT_EQ(CellSpeech(language, 0, "Name", ""), "Channel 0, Name, empty");
}

}  // namespace
}  // namespace radioprog
