// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/settings_page.h"

#include <array>

#include "editors/control_ids.h"
#include "model/extra_rows.h"

namespace radioprog {

namespace {

namespace sc = settings_control;

// How a line takes its value from control N of the form.
enum class Value {
    Text,   // what the control shows (a list's selected entry)
    Field,  // an edit's text as last exchanged
    Index,  // a list's selected index as a number
    Check,  // "1" for a ticked check box, else "0"
};

struct Entry {
    int row;
    const char* suffix;
    Value value;
    int control;
};

struct SideEntry {
    int rowA;
    int rowB;
    Value value;
    int controlA;
    int controlB;
};

constexpr std::array<Entry, 16> kGeneral{{
    {lang_row::kTxTimeout, "= ", Value::Text, sc::kTxTimeout},
    {lang_row::kTimeoutPreAlert, "= ", Value::Text, sc::kPreAlert},
    {lang_row::kVox, "= ", Value::Text, sc::kVox},
    {lang_row::kScanMode, "= ", Value::Text, sc::kScanMode},
    {lang_row::kBacklightTime, "= ", Value::Text, sc::kStandbyBacklight},
    {lang_row::kEndTone, "= ", Value::Text, sc::kEndTone},
    {lang_row::kPriorityChannel, "= ", Value::Text, sc::kPriorityChannel},
    {lang_row::kPowerSave, "= ", Value::Text, sc::kPowerSave},
    {lang_row::kAlarmMode, "= ", Value::Text, sc::kAlarmMode},
    {lang_row::kTxEndTone, "= ", Value::Text, sc::kTxEndTone},
    {lang_row::kDualWatchTxLabel, "= ", Value::Text, sc::kDualWatchTx},
    {lang_row::kTailElimination, "= ", Value::Text, sc::kTailElimination},
    {lang_row::kFmr, "= ", Value::Text, sc::kFmr},
    {lang_row::kSixCharText, "^= ", Value::Field, sc::kSixCharText},
    {lang_row::kSixCharText, "V= ", Value::Field, sc::kSixCharTextB},
    {lang_row::kKeyLock, "= ", Value::Check, sc::kKeyLock},
}};

// The step lines print the text the step list shows: the frequencies snap to that step, so
// the printout names the step they are stored with.
constexpr std::array<SideEntry, 10> kSides{{
    {lang_row::kVfoFrequency, lang_row::kVfoFrequency, Value::Field, sc::kFrequency[0], sc::kFrequency[1]},
    {lang_row::kTxPower, lang_row::kTxPower, Value::Text, sc::kPower[0], sc::kPower[1]},
    {lang_row::kVfoTxTone, lang_row::kVfoTxTone, Value::Text, sc::kTxTone[0], sc::kTxTone[1]},
    {lang_row::kVfoRxTone, lang_row::kVfoRxTone, Value::Text, sc::kRxTone[0], sc::kRxTone[1]},
    {lang_row::kBandwidth, lang_row::kBandwidth, Value::Text, sc::kBandwidth[0], sc::kBandwidth[1]},
    {lang_row::kOffsetDirection, lang_row::kOffsetDirection, Value::Text, sc::kDirection[0], sc::kDirection[1]},
    {lang_row::kOffset, lang_row::kOffset, Value::Text, sc::kOffset[0], sc::kOffset[1]},
    {lang_row::kChannelDisplay, lang_row::kChannelDisplay, Value::Text, sc::kDisplayModeA, sc::kDisplayModeB},
    {lang_row::kSquelch, lang_row::kSquelchB, Value::Index, sc::kSquelch, sc::kSquelchB},
    {lang_row::kStepA, lang_row::kStepB, Value::Text, sc::kStep[0], sc::kStep[1]},
}};

constexpr std::array<Entry, 3> kSideBChecks{{
    {lang_row::kBusyLockoutCheck, "= ", Value::Check, sc::kBusyLockoutHidden},
    {lang_row::kKeyBeep, "= ", Value::Check, sc::kKeyBeep},
    {lang_row::kAutoKeyLock, "= ", Value::Check, sc::kAutoKeyLock},
}};

// Block 3 leaves two lines empty between its side-B lines and its check boxes.
constexpr int kGapBeforeChecks = 2;

std::string ValueText(Value value, int control, const PrintData& data) {
    const SettingsForm& form = data.form;
    switch (value) {
    case Value::Text:
        if (auto shown = data.shownTexts.find(control); shown != data.shownTexts.end()) return shown->second;
        return SettingsTextOf(form, control, data.language);
    case Value::Field: return form.text(control);
    case Value::Index: return std::to_string(form.selection(control));
    case Value::Check: return form.check(control) == 1 ? "1" : "0";
    }
    return {};
}

}  // namespace

std::vector<SettingsPageLine> SettingsPageLines(const PrintData& data) {
    std::vector<SettingsPageLine> lines;
    auto add = [&](SettingsBlock block, int line, int row, const char* suffix, Value value, int control) {
        lines.push_back({block, line, data.language.row(row) + suffix, ValueText(value, control, data)});
    };
    int line = 0;
    for (const Entry& e : kGeneral) add(SettingsBlock::General, ++line, e.row, e.suffix, e.value, e.control);
    line = 0;
    for (const SideEntry& e : kSides) add(SettingsBlock::SideA, ++line, e.rowA, "= ", e.value, e.controlA);
    for (const SideEntry& e : kSides) add(SettingsBlock::SideB, ++line, e.rowB, "= ", e.value, e.controlB);
    line += kGapBeforeChecks;
    for (const Entry& e : kSideBChecks) add(SettingsBlock::SideB, ++line, e.row, e.suffix, e.value, e.control);
    return lines;
}

const std::vector<int>& SettingsPageShownControls() {
    static const std::vector<int> kControls = [] {
        std::vector<int> controls;
        for (const Entry& e : kGeneral)
            if (e.value == Value::Text) controls.push_back(e.control);
        for (const SideEntry& e : kSides)
            if (e.value == Value::Text) controls.insert(controls.end(), {e.controlA, e.controlB});
        return controls;
    }();
    return kControls;
}

}  // namespace radioprog
