#include "editors/settings_table.h"

namespace radioprog {

namespace {

// Captions whose template place is not fixed by the form: a label above the list, or one
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
    FormControl control;
    control.id = list.id;
    control.kind = ControlKind::List;
    control.rect = list.rect;
    control.hidden = list.hidden;
    control.side = list.side;
    control.choices = std::move(list.choices);
    FormControl caption;
    caption.id = list.captionId;
    caption.kind = ControlKind::Label;
    caption.rect = list.captionRect;
    caption.captionRow = list.captionRow;
    caption.hidden = list.hidden;
    caption.side = list.side;
    return {list.address, std::move(control), std::move(caption), list.load, list.modulus, list.defaultValue};
}

SettingRow Own(std::uint16_t address, ControlKind kind, int id, DialogRect rect, int row, LoadRule load,
               int defaultValue, bool hidden = false) {
    FormControl control;
    control.id = id;
    control.kind = kind;
    control.rect = rect;
    control.captionRow = row;
    control.hidden = hidden;
    return {address, std::move(control), FormControl{}, load, 0, defaultValue};
}

SettingRow Check(std::uint16_t address, int id, DialogRect rect, int row, int defaultValue, bool hidden = false) {
    return Own(address, ControlKind::Check, id, rect, row, LoadRule::Bit0, defaultValue, hidden);
}

Choices StepChoices() {
    return {ChoiceText("2.5"), ChoiceText("5"), ChoiceText("6.25"), ChoiceText("10"), ChoiceText("12.5"), ChoiceText("25")};
}
Choices BacklightChoices() { return {ChoiceRow(47), ChoiceRow(157), ChoiceRow(158), ChoiceRow(159)}; }
Choices DisplayModeChoices() { return {ChoiceRow(82), ChoiceRow(84), ChoiceRow(83)}; }
Choices TailChoices() { return {ChoiceRow(6), ChoiceNumbers(100, 1000, 100)}; }

// Where this form differs from its template: captions that the template's font fitted but
// the wider fonts of today (and the English texts) do not. The five lists of the lower-left
// box stand at x = 102 instead of 85 so their captions have room, the check boxes beside
// them at 152 instead of 135; the automatic-key-lock check box is 100 wide (template 49)
// and the key-beep check box moved up beside the key lock (template 324,339); the first
// work-mode button is 60 wide at 262,205 (template 32 wide at 260,217). The frequency-mode
// groups and the work-mode box have theirs in the layout table.
constexpr int kLowerListX = 102;

std::vector<SettingRow> BuildTable() {
    using R = DialogRect;
    using L = LoadRule;
    std::vector<SettingRow> t;
    R r;
    r = {94, 226, 77, 83};
    t.push_back(List({0x0E20, 1038, r, 1082, Above(r, 84), 81, DisplayModeChoices(), L::Modulo, 3, 2}));
    r = {227, 143, 50, 83};
    t.push_back(List({0x0E21, 1008, r, 1087, {169, 144, 56, 8}, 88, StepChoices(), L::Modulo, 7, 3, false, 0}));
    r = {95, 24, 56, 83};
    t.push_back(List({0x0E22, 1013, r, 1085, Above(r, 58), 86, {ChoiceNumbers(0, 9)}, L::Modulo, 10, 5}));
    r = {kLowerListX, 263, 45, 83};
    t.push_back(List({0x0E23, 1094, r, 1095, LeftOf(r, 14), 134,
                      {ChoiceRow(6), ChoiceText("1:1"), ChoiceText("1:2"), ChoiceText("1:3"), ChoiceText("1:4")},
                      L::Modulo, 5, 0}));
    r = {14, 51, 56, 83};
    t.push_back(List({0x0E24, 1023, r, 1060, Above(r, 78), 60, {ChoiceRow(45), ChoiceNumbers(1, 9)}, L::Modulo, 10, 0}));
    r = {407, 135, 45, 83};
    t.push_back(List({0x0E25, 1101, r, 1104, LeftOf(r, 360), 136, {ChoiceRow(6), ChoiceRow(125)}, L::Bit0, 0, 0, true}));
    r = {14, 24, 56, 83};
    t.push_back(List({0x0E26, 1009, r, 1057, Above(r, 78), 43, {ChoiceNumbers(15, 600, 15)}, L::Modulo, 40, 2}));
    t.push_back(Check(0x0E27, 1126, {152, 315, 74, 10}, 193, 1));
    t.push_back(Check(0x0E2D, 1020, {324, 325, 64, 10}, 57, 1));
    r = {95, 82, 56, 83};
    t.push_back(List({0x0E2E, 1014, r, 1058, Above(r, 58), 46, {ChoiceRow(47), ChoiceRow(48), ChoiceRow(49)}, L::Modulo, 3, 1}));
    r = {98, 365, 45, 83};
    t.push_back(List({0x0E2F, 1109, r, 1110, LeftOf(r, 60), 152, {ChoiceRow(6), ChoiceNumbers(1000, 5000, 1000, 154)},
                      L::Modulo, 6, 0, true}));
    r = {262, 273, 123, 83};
    t.push_back(List({0x0E30, 1019, r, 1098, Above(r, 130), 129,
                      {ChoiceRow(45), ChoiceRow(130), ChoiceRow(131), ChoiceJoined(130, "+", 131)}, L::LowBits, 0, 1}));
    r = {351, 143, 50, 83};
    t.push_back(List({0x0E31, 1011, r, 1088, {295, 145, 52, 8}, 89, StepChoices(), L::Modulo, 7, 3, false, 1}));
    r = {333, 305, 50, 83};
    t.push_back(List({0x0E34, 1037, r, 1103, LeftOf(r, 261), 55, {ChoiceNumbers(0, 30)}, L::WholeByte, 0, 3}));
    r = {333, 291, 50, 90};
    t.push_back(List({0x0E35, 1176, r, 1097, LeftOf(r, 261), 127,
                      {ChoiceRow(6), ChoiceRow(14), ChoiceRow(15), ChoiceRow(16)}, L::LowBits, 0, 0}));
    r = {408, 223, 44, 83};
    t.push_back(List({0x0E36, 1012, r, 1056, LeftOf(r, 360), 44, {ChoiceRow(45), ChoiceNumbers(1, 10)}, L::Modulo, 11, 5, true}));
    r = {13, 226, 77, 83};
    t.push_back(List({0x0E37, 1033, r, 1081, Above(r, 79), 182, DisplayModeChoices(), L::Modulo, 3, 2}));
    r = {14, 82, 56, 83};
    t.push_back(List({0x0E38, 1025, r, 1061, Above(r, 78), 61, {ChoiceRow(62), ChoiceRow(13), ChoiceRow(63)}, L::Modulo, 3, 0}));
    t.push_back(Check(0x0E39, 1089, {265, 339, 100, 9}, 114, 0));
    r = {14, 107, 56, 83};
    t.push_back(List({0x0E3D, 1030, r, 1173, Above(r, 78), 184, BacklightChoices(), L::LowBits, 0, 3}));
    r = {15, 134, 56, 83};
    t.push_back(List({0x0E3E, 1031, r, 1063, Above(r, 77), 185, BacklightChoices(), L::LowBits, 0, 1}));
    r = {15, 159, 56, 83};
    t.push_back(List({0x0E3F, 1032, r, 1064, Above(r, 77), 186, BacklightChoices(), L::LowBits, 0, 2}));
    r = {kLowerListX, 279, 45, 83};
    t.push_back(List({0x0E40, 1096, r, 1099, LeftOf(r, 14), 135, {ChoiceRow(161), ChoiceRow(162), ChoiceRow(160)}, L::LowBits, 0, 0}));
    r = {kLowerListX, 295, 45, 83};
    t.push_back(List({0x0E42, 1111, r, 1112, LeftOf(r, 14), 163, {ChoiceRow(6), ChoiceRow(164), ChoiceRow(165)}, L::Modulo, 3, 0}));
    r = {94, 107, 56, 83};
    t.push_back(List({0x0E43, 1107, r, 1108, Above(r, 58), 140, {ChoiceRow(6), ChoiceRow(125)}, L::Bit0, 0, 1}));
    r = {kLowerListX, 311, 45, 83};
    t.push_back(List({0x0E44, 1113, r, 1124, LeftOf(r, 14), 166, TailChoices(), L::Modulo, 11, 0}));
    r = {kLowerListX, 327, 45, 83};
    t.push_back(List({0x0E45, 1029, r, 1123, LeftOf(r, 14), 167, TailChoices(), L::Modulo, 11, 0}));
    r = {95, 158, 56, 83};
    t.push_back(List({0x0E46, 1016, r, 1122, Above(r, 58), 169, {ChoiceRow(51), ChoiceRow(181)}, L::Bit0, 0, 0}));
    r = {94, 51, 56, 83};
    t.push_back(List({0x0E47, 1034, r, 1065, Above(r, 58), 65, {ChoiceRow(47), ChoiceRow(168)}, L::LowBits, 0, 0}));
    t.push_back(Check(0x0E48, 1091, {14, 201, 63, 10}, 188, 1));
    t.push_back(Check(0x0E49, 1022, {152, 273, 85, 10}, 191, 1));
    t.push_back(Check(0x0E4A, 1036, {143, 297, 83, 10}, 192, 1, true));
    t.push_back(Check(0x0E4B, 1035, {97, 201, 64, 9}, 126, 1));
    // The work-mode pair: 1010 (frequency, index 0) starts the group, 1017 (channel,
    // index 1) is in the layout table.
    t.push_back(Own(0x0E4C, ControlKind::RadioButton, 1010, {262, 205, 60, 10}, 189, L::WholeByte, 0));
    t.push_back(Check(0x0E4D, 1021, {266, 325, 48, 10}, 58, 0));
    r = {94, 133, 56, 83};
    t.push_back(List({0x0E4E, 1048, r, 1062, Above(r, 58), 64, {ChoiceRow(6), ChoiceNumbers(1, 5)}, L::Modulo, 6, 5}));
    return t;
}

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
