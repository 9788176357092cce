// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/settings_table.h"

#include "model/extra_rows.h"
#include "radio/control_ids.h"

namespace radioprog {

namespace {

namespace sc = settings_control;

// Captions whose place the original dialog layout does not fix: a label above the list, or one
// to the left of it that starts at fromX and ends 4 units before the list.
DialogRect Above(DialogRect control, int width) { return {control.x, control.y - 10, width, 8}; }
DialogRect LeftOf(DialogRect control, int fromX) { return {fromX, control.y + 2, control.x - 4 - fromX, 8}; }

struct ListSpec {
    std::uint16_t address;
    int id;
    DialogRect rect;
    int captionId;
    DialogRect captionRect;
    int captionRow;
    Choices choices;
    LoadRule load;
    int modulus;
    int defaultValue;
    bool hidden = false;
    int side = -1;
};

SettingRow List(ListSpec list) {
    FormControl control{.id = list.id,
                        .kind = ControlKind::List,
                        .rect = list.rect,
                        .nameRow = list.captionRow,
                        .descriptionRow = list.side < 0 ? kNoRow : lang_row::kVfoA + list.side,
                        .hidden = list.hidden,
                        .side = list.side,
                        .choices = std::move(list.choices)};
    FormControl caption{.id = list.captionId,
                        .kind = ControlKind::Label,
                        .rect = list.captionRect,
                        .captionRow = list.captionRow,
                        .hidden = list.hidden,
                        .side = list.side};
    return {list.address, std::move(control), std::move(caption), list.load, list.modulus, list.defaultValue};
}

SettingRow Own(std::uint16_t address, ControlKind kind, int id, DialogRect rect, int row, LoadRule load,
               int defaultValue, bool hidden = false) {
    FormControl control{.id = id, .kind = kind, .rect = rect, .captionRow = row, .hidden = hidden};
    return {address, std::move(control), FormControl{}, load, 0, defaultValue};
}

SettingRow Check(std::uint16_t address, int id, DialogRect rect, int row, int defaultValue, bool hidden = false) {
    return Own(address, ControlKind::Check, id, rect, row, LoadRule::Bit0, defaultValue, hidden);
}

Choices StepChoices() {
    return {ChoiceText("2.5"), ChoiceText("5"),    ChoiceText("6.25"),
            ChoiceText("10"),  ChoiceText("12.5"), ChoiceText("25")};
}
Choices BacklightChoices() {
    return {ChoiceRow(lang_row::kOffChoice), ChoiceRow(lang_row::kBlue), ChoiceRow(lang_row::kOrange),
            ChoiceRow(lang_row::kPurple)};
}
Choices DisplayModeChoices() {
    return {ChoiceRow(lang_row::kDisplayName), ChoiceRow(lang_row::kDisplayNumber),
            ChoiceRow(lang_row::kDisplayFrequency)};
}
Choices TailChoices() { return {ChoiceRow(lang_row::kOff), ChoiceNumbers(100, 1000, 100)}; }

// Where this form differs from the original dialog layout: captions that its font fitted but
// the wider fonts of today (and the English texts) do not. The five lists of the lower-left
// box stand at x = 102 instead of 85 so their captions have room, the check boxes beside
// them at 152 instead of 135; the automatic-key-lock check box is 100 wide (originally 49)
// and the key-beep check box moved up beside the key lock (originally 324,339); the first
// work-mode button is 60 wide at 262,205 (originally 32 wide at 260,217). The frequency-mode
// groups and the work-mode box have theirs in the layout table.
constexpr int kLowerListX = 102;

// One row of the table per line.
// clang-format off
std::vector<SettingRow> BuildTable() {
    using R = DialogRect;
    using L = LoadRule;
    std::vector<SettingRow> t;
    R r;
    r = {94, 226, 77, 83};
    t.push_back(List({0x0E20, sc::kDisplayModeB, r, sc::kDisplayModeBCaption, Above(r, 84), lang_row::kChannelDisplay, DisplayModeChoices(), L::Modulo, 3, 2}));
    r = {227, 143, 50, 83};
    t.push_back(List({0x0E21, sc::kStep[0], r, sc::kStepCaption[0], {169, 144, 56, 8}, lang_row::kStepA, StepChoices(), L::Modulo, 7, 3, false, 0}));
    r = {95, 24, 56, 83};
    t.push_back(List({0x0E22, sc::kSquelch, r, sc::kSquelchCaption, Above(r, 58), lang_row::kSquelch, {ChoiceNumbers(0, 9)}, L::Modulo, 10, 5}));
    r = {kLowerListX, 263, 45, 83};
    t.push_back(List({0x0E23, sc::kPowerSave, r, sc::kPowerSaveCaption, LeftOf(r, 14), lang_row::kPowerSave, {ChoiceRow(lang_row::kOff), ChoiceText("1:1"), ChoiceText("1:2"), ChoiceText("1:3"), ChoiceText("1:4")}, L::Modulo, 5, 0}));
    r = {14, 51, 56, 83};
    t.push_back(List({0x0E24, sc::kVox, r, sc::kVoxCaption, Above(r, 78), lang_row::kVox, {ChoiceRow(lang_row::kOffLevel), ChoiceNumbers(1, 9)}, L::Modulo, 10, 0}));
    r = {407, 135, 45, 83};
    t.push_back(List({0x0E25, sc::kTxEndTone, r, sc::kTxEndToneCaption, LeftOf(r, 360), lang_row::kTxEndTone, {ChoiceRow(lang_row::kOff), ChoiceRow(lang_row::kOn)}, L::Bit0, 0, 0, true}));
    r = {14, 24, 56, 83};
    t.push_back(List({0x0E26, sc::kTxTimeout, r, sc::kTxTimeoutCaption, Above(r, 78), lang_row::kTxTimeout, {ChoiceNumbers(15, 600, 15)}, L::Modulo, 40, 2}));
    t.push_back(Check(0x0E27, sc::kDualWatch, {152, 315, 74, 10}, lang_row::kDualWatch, 1));
    t.push_back(Check(0x0E2D, sc::kKeyBeep, {324, 325, 64, 10}, lang_row::kKeyBeep, 1));
    r = {95, 82, 56, 83};
    t.push_back(List({0x0E2E, sc::kVoicePrompt, r, sc::kVoicePromptCaption, Above(r, 58), lang_row::kVoicePrompt, {ChoiceRow(lang_row::kOffChoice), ChoiceRow(lang_row::kChinese), ChoiceRow(lang_row::kEnglish)}, L::Modulo, 3, 1}));
    r = {98, 365, 45, 83};
    t.push_back(List({0x0E2F, sc::kFmr, r, sc::kFmrCaption, LeftOf(r, 60), lang_row::kFmr, {ChoiceRow(lang_row::kOff), ChoiceNumbers(1000, 5000, 1000, lang_row::kFmrUnit)}, L::Modulo, 6, 0, true}));
    r = {262, 273, 123, 83};
    t.push_back(List({0x0E30, sc::kSideTone, r, sc::kSideToneCaption, Above(r, 130), lang_row::kSideTone, {ChoiceRow(lang_row::kOffLevel), ChoiceRow(lang_row::kSideToneKeypad), ChoiceRow(lang_row::kSideToneId), ChoiceJoined(lang_row::kSideToneKeypad, "+", lang_row::kSideToneId)}, L::LowBits, 0, 1}));
    r = {351, 143, 50, 83};
    t.push_back(List({0x0E31, sc::kStep[1], r, sc::kStepCaption[1], {295, 145, 52, 8}, lang_row::kStepB, StepChoices(), L::Modulo, 7, 3, false, 1}));
    r = {333, 305, 50, 83};
    t.push_back(List({0x0E34, sc::kIdDelay, r, sc::kIdDelayCaption, LeftOf(r, 261), lang_row::kIdDelay, {ChoiceNumbers(0, 30)}, L::WholeByte, 0, 3}));
    r = {333, 291, 50, 90};
    t.push_back(List({0x0E35, sc::kPttId, r, sc::kPttIdCaption, LeftOf(r, 261), lang_row::kPttId, {ChoiceRow(lang_row::kOff), ChoiceRow(lang_row::kPttPress), ChoiceRow(lang_row::kPttRelease), ChoiceRow(lang_row::kPttBoth)}, L::LowBits, 0, 0}));
    r = {408, 223, 44, 83};
    t.push_back(List({0x0E36, sc::kPreAlert, r, sc::kPreAlertCaption, LeftOf(r, 360), lang_row::kTimeoutPreAlert, {ChoiceRow(lang_row::kOffLevel), ChoiceNumbers(1, 10)}, L::Modulo, 11, 5, true}));
    r = {13, 226, 77, 83};
    t.push_back(List({0x0E37, sc::kDisplayModeA, r, sc::kDisplayModeACaption, Above(r, 79), lang_row::kDisplayModeA, DisplayModeChoices(), L::Modulo, 3, 2}));
    r = {14, 82, 56, 83};
    t.push_back(List({0x0E38, sc::kScanMode, r, sc::kScanModeCaption, Above(r, 78), lang_row::kScanMode, {ChoiceRow(lang_row::kScanTime), ChoiceRow(lang_row::kCarrier), ChoiceRow(lang_row::kScanSearch)}, L::Modulo, 3, 0}));
    t.push_back(Check(0x0E39, sc::kAutoKeyLock, {265, 339, 100, 9}, lang_row::kAutoKeyLock, 0));
    r = {14, 107, 56, 83};
    t.push_back(List({0x0E3D, sc::kStandbyBacklight, r, sc::kStandbyBacklightCaption, Above(r, 78), lang_row::kStandbyBacklight, BacklightChoices(), L::LowBits, 0, 3}));
    r = {15, 134, 56, 83};
    t.push_back(List({0x0E3E, sc::kRxBacklight, r, sc::kRxBacklightCaption, Above(r, 77), lang_row::kRxBacklight, BacklightChoices(), L::LowBits, 0, 1}));
    r = {15, 159, 56, 83};
    t.push_back(List({0x0E3F, sc::kTxBacklight, r, sc::kTxBacklightCaption, Above(r, 77), lang_row::kTxBacklight, BacklightChoices(), L::LowBits, 0, 2}));
    r = {kLowerListX, 279, 45, 83};
    t.push_back(List({0x0E40, sc::kAlarmMode, r, sc::kAlarmModeCaption, LeftOf(r, 14), lang_row::kAlarmMode, {ChoiceRow(lang_row::kAlarmOnSite), ChoiceRow(lang_row::kAlarmSendTone), ChoiceRow(lang_row::kAlarmSendCode)}, L::LowBits, 0, 0}));
    r = {kLowerListX, 295, 45, 83};
    t.push_back(List({0x0E42, sc::kDualWatchTx, r, sc::kDualWatchTxCaption, LeftOf(r, 14), lang_row::kDualWatchTx, {ChoiceRow(lang_row::kOff), ChoiceRow(lang_row::kSideA), ChoiceRow(lang_row::kSideB)}, L::Modulo, 3, 0}));
    r = {94, 107, 56, 83};
    t.push_back(List({0x0E43, sc::kTailElimination, r, sc::kTailEliminationCaption, Above(r, 58), lang_row::kTailElimination, {ChoiceRow(lang_row::kOff), ChoiceRow(lang_row::kOn)}, L::Bit0, 0, 1}));
    r = {kLowerListX, 311, 45, 83};
    t.push_back(List({0x0E44, sc::kRepeaterTailElimination, r, sc::kRepeaterTailEliminationCaption, LeftOf(r, 14), lang_row::kRepeaterTailElimination, TailChoices(), L::Modulo, 11, 0}));
    r = {kLowerListX, 327, 45, 83};
    t.push_back(List({0x0E45, sc::kRepeaterTailDetection, r, sc::kRepeaterTailDetectionCaption, LeftOf(r, 14), lang_row::kRepeaterTailDetection, TailChoices(), L::Modulo, 11, 0}));
    r = {95, 158, 56, 83};
    t.push_back(List({0x0E46, sc::kPowerOnDisplay, r, sc::kPowerOnDisplayCaption, Above(r, 58), lang_row::kPowerOnDisplay, {ChoiceRow(lang_row::kFullScreen), ChoiceRow(lang_row::kVoltage)}, L::Bit0, 0, 0}));
    r = {94, 51, 56, 83};
    t.push_back(List({0x0E47, sc::kEndTone, r, sc::kEndToneCaption, Above(r, 58), lang_row::kEndTone, {ChoiceRow(lang_row::kOffChoice), ChoiceRow(lang_row::kEndToneOn)}, L::LowBits, 0, 0}));
    t.push_back(Check(0x0E48, sc::kFunctionMenu, {14, 201, 63, 10}, lang_row::kFunctionMenu, 1));
    t.push_back(Check(0x0E49, sc::kFmRadio, {152, 273, 85, 10}, lang_row::kFmRadio, 1));
    t.push_back(Check(0x0E4A, sc::kAlarmSound, {143, 297, 83, 10}, lang_row::kAlarmSound, 1, true));
    t.push_back(Check(0x0E4B, sc::kResetAllowed, {97, 201, 64, 9}, lang_row::kResetAllowed, 1));
    // The work-mode pair: kWorkMode (frequency, index 0) starts the group, kWorkModeChannel
    // (index 1) is in the layout table.
    t.push_back(Own(0x0E4C, ControlKind::RadioButton, sc::kWorkMode, {262, 205, 60, 10}, lang_row::kFrequencyMode, L::WholeByte, 0));
    t.push_back(Check(0x0E4D, sc::kKeyLock, {266, 325, 48, 10}, lang_row::kKeyLock, 0));
    r = {94, 133, 56, 83};
    t.push_back(List({0x0E4E, sc::kBacklightTime, r, sc::kBacklightTimeCaption, Above(r, 58), lang_row::kBacklightTime, {ChoiceRow(lang_row::kOff), ChoiceNumbers(1, 5)}, L::Modulo, 6, 5}));
    return t;
}
// clang-format on

constexpr int kWorkModeButtons = 2;

}  // namespace

const std::vector<SettingRow>& SettingsTable() {
    static const std::vector<SettingRow> table = BuildTable();
    return table;
}

const SettingRow* FindSettingRow(int control) {
    for (const SettingRow& row : SettingsTable())
        if (row.control.id == control) return &row;
    return nullptr;
}

int ApplyLoadRule(const SettingRow& row, std::uint8_t byte) {
    switch (row.load) {
    case LoadRule::Modulo: return byte % row.modulus;
    case LoadRule::LowBits: return byte & 3;
    case LoadRule::Bit0: return byte & 1;
    case LoadRule::WholeByte: return byte;
    }
    return byte;
}

int LoadSettingValue(const SettingRow& row, std::uint8_t byte) {
    int value = ApplyLoadRule(row, byte);
    int entries = 0;
    switch (row.control.kind) {
    case ControlKind::List: entries = ChoiceCount(row.control.choices); break;
    case ControlKind::RadioButton: entries = kWorkModeButtons; break;
    default: return value;
    }
    return value < entries ? value : -1;
}

std::uint8_t StoreSettingValue(int value) { return static_cast<std::uint8_t>(value & 0xFF); }

}  // namespace radioprog
