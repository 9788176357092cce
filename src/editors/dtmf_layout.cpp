// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/dtmf_layout.h"

#include <utility>

#include "radio/dtmf_form.h"

namespace radioprog {

namespace {

FormControl Make(int id, ControlKind kind, DialogRect rect, int row = kNoRow, Align align = Align::Left) {
    return {.id = id, .kind = kind, .rect = rect, .captionRow = row, .align = align};
}

std::vector<DtmfTableRow> BuildTable() {
    static_assert(dtmf_control::kCodeTableRows == kDtmfTableRows);
    const auto& kIds = dtmf_control::kCodeTable;
    std::vector<DtmfTableRow> rows;
    for (int k = 1; k <= kDtmfTableRows; ++k) {
        int y = 23 + 12 * k;
        DtmfTableRow row{Make(kIds[k - 1][0], ControlKind::Edit, {18, y, 35, 12}, kNoRow, Align::Center),
                         Make(kIds[k - 1][1], ControlKind::Edit, {53, y, 40, 12}, kNoRow, Align::Center)};
        row.number.readOnly = true;
        row.number.nameRow = lang_row::kDtmfGroup;
        row.code.nameRow = lang_row::kDtmfCode;
        row.number.nameNumber = row.code.nameNumber = k;
        row.code.maxChars = kDtmfCodeLength;
        row.number.hidden = row.code.hidden = k == kDtmfTableRows;
        rows.push_back(row);
    }
    return rows;
}

std::vector<FormControl> BuildLayout() {
    using K = ControlKind;
    std::vector<FormControl> layout = {
        Make(dtmf_control::kFrame, K::GroupBox, {7, 7, 370, 242}, lang_row::kDtmfCodes),
        Make(dtmf_control::kGroupHeader, K::Label, {16, 23, 37, 11}, lang_row::kDtmfGroup, Align::Center),
        Make(dtmf_control::kCodeHeader, K::Label, {55, 23, 37, 10}, lang_row::kDtmfCode, Align::Center),
        Make(dtmf_control::kDurationCaption, K::Label, {187, 20, 112, 10}, lang_row::kDtmfDuration, Align::Right),
        Make(dtmf_control::kDuration, K::List, {309, 21, 49, 83}),
        Make(dtmf_control::kPauseCaption, K::Label, {187, 35, 112, 10}, lang_row::kDtmfPause, Align::Right),
        Make(dtmf_control::kPause, K::List, {309, 36, 49, 83}),
        Make(dtmf_control::kGroupCallCaption, K::Label, {187, 55, 112, 10}, lang_row::kGroupCall, Align::Right),
        Make(dtmf_control::kGroupCall, K::List, {309, 53, 49, 83}),
        Make(dtmf_control::kLocalIdGroup, K::GroupBox, {272, 79, 97, 89}, lang_row::kLocalId),
        Make(dtmf_control::kLocalId, K::Edit, {287, 99, 53, 12}, kNoRow, Align::Center),
        Make(dtmf_control::kPttPress, K::Check, {287, 129, 75, 8}, lang_row::kSendOnPress),
        Make(dtmf_control::kPttRelease, K::Check, {287, 148, 78, 8}, lang_row::kSendOnRelease),
        Make(dtmf_control::kCommit, K::Button, {262, 222, 50, 14}, lang_row::kOk),
        Make(dtmf_control::kClose, K::Button, {319, 222, 50, 14}, lang_row::kCancel),
    };
    for (FormControl& control : layout) {
        // Each list and edit is named after the caption beside it or the frame around it.
        for (auto [id, row] : {std::pair{dtmf_control::kDuration, lang_row::kDtmfDuration},
                               {dtmf_control::kPause, lang_row::kDtmfPause},
                               {dtmf_control::kGroupCall, lang_row::kGroupCall},
                               {dtmf_control::kLocalId, lang_row::kLocalId}})
            if (control.id == id) control.nameRow = row;
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
