#include "editors/dtmf_layout.h"

#include "editors/dtmf_form.h"

namespace radioprog {

namespace {

FormControl Make(int id, ControlKind kind, DialogRect rect, int row = kNoRow, Align align = Align::Left) {
    FormControl control;
    control.id = id;
    control.kind = kind;
    control.rect = rect;
    control.captionRow = row;
    control.align = align;
    return control;
}

std::vector<DtmfTableRow> BuildTable() {
    static constexpr int kIds[kDtmfTableRows][2] = {
        {1101, 1165}, {1102, 1105}, {1103, 1106}, {1107, 1108}, {1109, 1110}, {1111, 1112}, {1113, 1114}, {1115, 1116},
        {1117, 1118}, {1119, 1120}, {1121, 1122}, {1123, 1124}, {1125, 1126}, {1127, 1128}, {1129, 1130}, {1131, 1132}};
    std::vector<DtmfTableRow> rows;
    for (int k = 1; k <= kDtmfTableRows; ++k) {
        int y = 23 + 12 * k;
        DtmfTableRow row{Make(kIds[k - 1][0], ControlKind::Edit, {18, y, 35, 12}, kNoRow, Align::Center),
                         Make(kIds[k - 1][1], ControlKind::Edit, {53, y, 40, 12}, kNoRow, Align::Center)};
        row.number.readOnly = true;
        row.code.maxChars = kDtmfCodeLength;
        row.number.hidden = row.code.hidden = k == kDtmfTableRows;
        rows.push_back(row);
    }
    return rows;
}

std::vector<FormControl> BuildLayout() {
    using K = ControlKind;
    std::vector<FormControl> layout = {
        Make(1156, K::GroupBox, {7, 7, 370, 242}, 172),
        Make(1157, K::Label, {16, 23, 37, 11}, 173, Align::Center),
        Make(1158, K::Label, {55, 23, 37, 10}, 174, Align::Center),
        Make(1159, K::Label, {187, 20, 112, 10}, 175, Align::Right),
        Make(dtmf_control::kDuration, K::List, {309, 21, 49, 83}),
        Make(1161, K::Label, {187, 35, 112, 10}, 176, Align::Right),
        Make(dtmf_control::kPause, K::List, {309, 36, 49, 83}),
        Make(1160, K::Label, {187, 55, 112, 10}, 177, Align::Right),
        Make(dtmf_control::kGroupCall, K::List, {309, 53, 49, 83}),
        Make(1162, K::GroupBox, {272, 79, 97, 89}, 178),
        Make(dtmf_control::kLocalId, K::Edit, {287, 99, 53, 12}, kNoRow, Align::Center),
        Make(dtmf_control::kPttPress, K::Check, {287, 129, 75, 8}, 179),
        Make(dtmf_control::kPttRelease, K::Check, {287, 148, 78, 8}, 180),
        Make(dtmf_control::kCommit, K::Button, {262, 222, 50, 14}, 116),
        Make(dtmf_control::kClose, K::Button, {319, 222, 50, 14}, 117),
    };
    for (FormControl& control : layout) {
        if (control.id == dtmf_control::kGroupCall) {
            control.sorted = true;
            control.disabled = true;
            control.choices = {ChoiceText(kDtmfGroupCallEntry)};
        } else if (control.id == dtmf_control::kDuration || control.id == dtmf_control::kPause) {
            control.choices = {DtmfTimingChoice()};
        } else if (control.id == dtmf_control::kLocalId) {
            control.maxChars = kDtmfCodeLength;
        }
    }
    return layout;
}

}  // namespace

const std::vector<DtmfTableRow>& DtmfCodeTable() {
    static const std::vector<DtmfTableRow> table = BuildTable();
    return table;
}

const std::vector<FormControl>& DtmfLayout() {
    static const std::vector<FormControl> layout = BuildLayout();
    return layout;
}

}  // namespace radioprog
