// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/settings_layout.h"

#include "model/tone_codec.h"
#include "radio/channel_cells.h"
#include "radio/control_ids.h"
#include "radio/settings_vfo.h"

namespace radioprog {

namespace {

namespace sc = settings_control;

int NumbersCount(const ChoiceItem& item) {
    return item.step > 0 && item.last >= item.first ? (item.last - item.first) / item.step + 1 : 0;
}

FormControl Control(int id, ControlKind kind, DialogRect rect, int captionRow = kNoRow, int side = -1) {
    return {.id = id, .kind = kind, .rect = rect, .captionRow = captionRow, .side = side};
}

FormControl Hidden(FormControl control) {
    control.hidden = true;
    return control;
}

FormControl WithChoices(FormControl control, Choices choices) {
    control.choices = std::move(choices);
    return control;
}

FormControl Limited(FormControl control, int maxChars) {
    control.maxChars = maxChars;
    return control;
}

// One item of the frequency-mode groups: its control and caption label in A and in B.
struct GroupItem {
    ControlKind kind;
    int id[2];
    DialogRect rect[2];
    int captionId[2];  // 0: the control carries its own caption
    DialogRect captionRect[2];
    int row;
    Choices choices;
    bool readOnly = false;
};

std::vector<GroupItem> GroupItems() {
    using K = ControlKind;
    return {
        {K::Edit,
         {sc::kFrequency[0], sc::kFrequency[1]},
         {{227, 17, 50, 12}, {351, 17, 50, 12}},
         {sc::kFrequencyCaption[0], sc::kFrequencyCaption[1]},
         {{172, 18, 53, 8}, {297, 19, 50, 8}},
         lang_row::kVfoFrequency,
         {}},
        {K::List,
         {sc::kBand[0], sc::kBand[1]},
         {{227, 30, 50, 83}, {351, 30, 50, 112}},
         {sc::kBandCaption[0], sc::kBandCaption[1]},
         {{186, 32, 39, 8}, {314, 33, 33, 8}},
         lang_row::kVfoBand,
         {ChoiceText("VHF"), ChoiceText("UHF")}},
        {K::Edit,
         {sc::kRange[0], sc::kRange[1]},
         {{227, 43, 50, 13}, {351, 43, 50, 13}},
         {sc::kRangeCaption[0], sc::kRangeCaption[1]},
         {{184, 46, 41, 9}, {303, 47, 44, 9}},
         lang_row::kRange,
         {},
         true},
        {K::List,
         {sc::kTxTone[0], sc::kTxTone[1]},
         {{227, 59, 50, 83}, {351, 59, 50, 83}},
         {sc::kTxToneCaption[0], sc::kTxToneCaption[1]},
         {{172, 60, 53, 8}, {300, 63, 47, 8}},
         lang_row::kVfoTxTone,
         {ChoiceTones()}},
        {K::List,
         {sc::kRxTone[0], sc::kRxTone[1]},
         {{227, 73, 50, 83}, {351, 75, 50, 83}},
         {sc::kRxToneCaption[0], sc::kRxToneCaption[1]},
         {{172, 74, 53, 8}, {294, 77, 53, 8}},
         lang_row::kVfoRxTone,
         {ChoiceTones()}},
        {K::List,
         {sc::kPower[0], sc::kPower[1]},
         {{227, 87, 50, 83}, {351, 89, 50, 83}},
         {sc::kPowerCaption[0], sc::kPowerCaption[1]},
         {{172, 88, 53, 8}, {294, 91, 53, 8}},
         lang_row::kTxPower,
         {ChoiceRow(lang_row::kLow), ChoiceRow(lang_row::kHigh)}},
        {K::List,
         {sc::kDirection[0], sc::kDirection[1]},
         {{227, 101, 50, 83}, {351, 103, 50, 83}},
         {sc::kDirectionCaption[0], sc::kDirectionCaption[1]},
         {{172, 102, 53, 8}, {294, 105, 53, 8}},
         lang_row::kOffsetDirection,
         {ChoiceRow(lang_row::kOffLevel), ChoiceRow(lang_row::kOffsetPlus), ChoiceRow(lang_row::kOffsetMinus)}},
        {K::List,
         {sc::kOffset[0], sc::kOffset[1]},
         {{227, 115, 50, 83}, {351, 117, 50, 83}},
         {sc::kOffsetCaption[0], sc::kOffsetCaption[1]},
         {{172, 117, 53, 8}, {294, 120, 53, 8}},
         lang_row::kOffset,
         {ChoiceOffsets()}},
        {K::List,
         {sc::kBandwidth[0], sc::kBandwidth[1]},
         {{227, 129, 50, 83}, {351, 131, 50, 83}},
         {sc::kBandwidthCaption[0], sc::kBandwidthCaption[1]},
         {{172, 131, 53, 8}, {294, 133, 53, 8}},
         lang_row::kBandwidth,
         {ChoiceRow(lang_row::kNarrow), ChoiceRow(lang_row::kWide)}},
        {K::List,
         {sc::kSignalling[0], sc::kSignalling[1]},
         {{227, 159, 50, 83}, {351, 160, 50, 83}},
         {sc::kSignallingCaption[0], sc::kSignallingCaption[1]},
         {{191, 162, 33, 8}, {314, 161, 30, 8}},
         lang_row::kVfoSignalling,
         {ChoiceNumbers(1, 15)}},
        // Wider than the original layout's 43 and 45, so "Busy Lockout" fits.
        {K::Check,
         {sc::kBusyLockout[0], sc::kBusyLockout[1]},
         {{191, 174, 80, 10}, {313, 174, 80, 10}},
         {0, 0},
         {{}, {}},
         lang_row::kBusyLockoutCheck,
         {}},
    };
}

std::vector<FormControl> BuildLayout() {
    using K = ControlKind;
    std::vector<FormControl> layout = {
        Control(0, K::GroupBox, {7, 7, 147, 178}),
        Control(sc::kVfoGroup[0], K::GroupBox, {166, 7, 114, 180}, lang_row::kVfoA, kVfoSideA),
        Control(sc::kVfoGroup[1], K::GroupBox, {290, 7, 114, 180}, lang_row::kVfoB, kVfoSideB),
        Control(sc::kChannelModeGroup, K::GroupBox, {7, 191, 173, 56}, lang_row::kChannelMode),
        Control(sc::kWorkModeGroup, K::GroupBox, {255, 191, 152, 56}, lang_row::kWorkMode),
        Control(0, K::GroupBox, {7, 256, 234, 97}),
        Control(0, K::GroupBox, {254, 256, 146, 97}),
    };
    for (const GroupItem& item : GroupItems()) {
        for (int side : {kVfoSideA, kVfoSideB}) {
            if (item.captionId[side] != 0)
                layout.push_back(Control(item.captionId[side], K::Label, item.captionRect[side], item.row, side));
            FormControl control =
                Control(item.id[side], item.kind, item.rect[side], item.captionId[side] == 0 ? item.row : kNoRow, side);
            control.choices = item.choices;
            control.readOnly = item.readOnly;
            if (item.captionId[side] != 0) control.nameRow = item.row;
            control.descriptionRow = side == kVfoSideA ? lang_row::kVfoA : lang_row::kVfoB;
            layout.push_back(std::move(control));
        }
    }
    // The hidden two-bit field of each group (A's list has no entries), with captions that
    // are never shown.
    layout.push_back(Hidden(Control(sc::kHiddenField[0], K::List, {402, 255, 50, 83}, kNoRow, kVfoSideA)));
    layout.push_back(Hidden(WithChoices(Control(sc::kHiddenField[1], K::List, {402, 334, 50, 83}, kNoRow, kVfoSideB),
                                        {ChoiceNumbers(0, 30)})));
    layout.push_back(Hidden(Control(0, K::Label, {359, 256, 33, 8})));
    layout.push_back(Hidden(Control(sc::kHiddenFieldCaption, K::Label, {420, 321, 32, 8}, lang_row::kIdDelay)));

    // The work-mode box holds two rows instead of the original layout's one (buttons at y 217, the
    // count at 215): the two buttons, then the channel count, so the captions fit.
    layout.push_back(Control(sc::kWorkModeChannel, K::RadioButton, {330, 205, 60, 10}, lang_row::kChannelChoice));
    layout.push_back(Control(sc::kChannelCountCaption, K::Label, {333, 229, 40, 8}, lang_row::kChannelCount));
    // The radio has 128 channels and the image holds no count: the field shows it and takes
    // no typing, so nothing typed there is silently dropped.
    FormControl channelCount = Control(sc::kChannelCount, K::Edit, {376, 226, 28, 14});
    channelCount.nameRow = lang_row::kChannelCount;
    channelCount.readOnly = true;
    layout.push_back(std::move(channelCount));
    layout.push_back(Control(sc::kOk, K::Button, {299, 371, 37, 16}, lang_row::kOk));
    layout.push_back(Control(sc::kCancel, K::Button, {359, 370, 37, 16}, lang_row::kCancel));

    // Hidden controls that store nothing (their values are printed), and the hidden
    // six-character text edit with its caption.
    layout.push_back(Hidden(WithChoices(Control(sc::kSquelchB, K::List, {7, 365, 45, 83}), {ChoiceNumbers(0, 9)})));
    layout.push_back(Hidden(Control(sc::kSquelchBCaption, K::Label, {}, lang_row::kSquelchB)));
    layout.push_back(Hidden(WithChoices(Control(sc::kPriorityChannel, K::List, {239, 369, 56, 83}),
                                        {ChoiceRow(lang_row::kOff), ChoiceNumbers(1, 128)})));
    layout.push_back(Hidden(Control(sc::kPriorityChannelCaption, K::Label, {}, lang_row::kPriorityChannel)));
    layout.push_back(Hidden(Control(sc::kBusyLockoutHidden, K::Check, {324, 325, 64, 9}, lang_row::kBusyLockoutCheck)));
    layout.push_back(Hidden(Limited(Control(sc::kHiddenEdit3, K::Edit, {155, 364, 25, 12}), 3)));
    layout.push_back(Hidden(Limited(Control(sc::kHiddenEdit6, K::Edit, {56, 366, 40, 12}), 6)));
    layout.push_back(Hidden(Limited(Control(sc::kLocalCode, K::Edit, {412, 293, 40, 12}), 6)));
    layout.push_back(Hidden(Control(sc::kLocalCodeCaption, K::Label, {}, lang_row::kLocalCode)));
    layout.push_back(Hidden(Limited(Control(sc::kSixCharTextB, K::Edit, {197, 363, 45, 13}), 6)));
    layout.push_back(Hidden(Control(0, K::Label, {7, 387, 33, 8})));
    layout.push_back(Hidden(Limited(Control(sc::kSixCharText, K::Edit, {197, 376, 45, 13}), 6)));
    layout.push_back(Hidden(Control(sc::kSixCharTextCaption, K::Label, {194, 355, 42, 8}, lang_row::kSixCharText)));
    return layout;
}

}  // namespace

int ChoiceCount(const Choices& choices) {
    int count = 0;
    for (const ChoiceItem& item : choices) {
        switch (item.kind) {
        case ChoiceItem::Kind::Text: ++count; break;
        case ChoiceItem::Kind::Numbers: count += NumbersCount(item); break;
        case ChoiceItem::Kind::ToneList: count += kToneListSize; break;
        case ChoiceItem::Kind::OffsetList: count += kOffsetCount; break;
        }
    }
    return count;
}

std::vector<std::string> ResolveChoices(const Choices& choices, const LanguageTable& language) {
    std::vector<std::string> texts;
    for (const ChoiceItem& item : choices) {
        switch (item.kind) {
        case ChoiceItem::Kind::Text:
            texts.push_back((item.row == kNoRow ? std::string() : language.row(item.row)) + std::string(item.text) +
                            (item.suffixRow == kNoRow ? std::string() : language.row(item.suffixRow)));
            break;
        case ChoiceItem::Kind::Numbers:
            for (int i = 0, n = NumbersCount(item); i < n; ++i)
                texts.push_back(std::to_string(item.first + i * item.step) +
                                (item.suffixRow == kNoRow ? std::string() : language.row(item.suffixRow)));
            break;
        case ChoiceItem::Kind::ToneList: {
            std::vector<std::string> tones = ToneListEntries(language.row(lang_row::kToneOff));
            texts.insert(texts.end(), tones.begin(), tones.end());
            break;
        }
        case ChoiceItem::Kind::OffsetList: texts.insert(texts.end(), OffsetTexts().begin(), OffsetTexts().end()); break;
        }
    }
    return texts;
}

std::string ControlName(const FormControl& control, const LanguageTable& language) {
    if (control.nameRow == kNoRow) return {};
    std::string name;
    for (char c : language.row(control.nameRow))
        if (c != '&') name += c;
    // A caption's colon ("Step:", "步进：") and blanks are not part of the name.
    for (std::string_view tail : {":", "\xEF\xBC\x9A", " "})
        while (name.size() >= tail.size() && name.ends_with(tail)) name.resize(name.size() - tail.size());
    if (control.nameNumber > 0) name += " " + std::to_string(control.nameNumber);
    return name;
}

std::string ControlDescription(const FormControl& control, const LanguageTable& language) {
    return control.descriptionRow == kNoRow ? std::string() : language.row(control.descriptionRow);
}

const std::vector<FormControl>& SettingsLayout() {
    static const std::vector<FormControl> layout = BuildLayout();
    return layout;
}

}  // namespace radioprog
