#include "editors/settings_layout.h"

#include "editors/channel_cells.h"
#include "editors/settings_vfo.h"
#include "model/tone_codec.h"

namespace radioprog {

namespace {

int NumbersCount(const ChoiceItem& item) {
    return item.step > 0 && item.last >= item.first ? (item.last - item.first) / item.step + 1 : 0;
}

FormControl Control(int id, ControlKind kind, DialogRect rect, int captionRow = kNoRow, int side = -1) {
    FormControl control;
    control.id = id;
    control.kind = kind;
    control.rect = rect;
    control.captionRow = captionRow;
    control.side = side;
    return control;
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
        {K::Edit, {1026, 1027}, {{227, 17, 50, 12}, {351, 17, 50, 12}}, {1069, 1070}, {{172, 18, 53, 8}, {297, 19, 50, 8}}, 74, {}},
        {K::List, {1053, 1130}, {{227, 30, 50, 83}, {351, 30, 50, 112}}, {1114, 1131}, {{186, 32, 39, 8}, {314, 33, 33, 8}}, 170,
         {ChoiceText("VHF"), ChoiceText("UHF")}},
        {K::Edit, {1133, 1132}, {{227, 43, 50, 13}, {351, 43, 50, 13}}, {1134, 1135}, {{184, 46, 41, 9}, {303, 47, 44, 9}}, 187, {},
         true},
        {K::List, {1046, 1051}, {{227, 59, 50, 83}, {351, 59, 50, 83}}, {1073, 1074}, {{172, 60, 53, 8}, {300, 63, 47, 8}}, 75,
         {ChoiceTones()}},
        {K::List, {1047, 1052}, {{227, 73, 50, 83}, {351, 75, 50, 83}}, {1075, 1076}, {{172, 74, 53, 8}, {294, 77, 53, 8}}, 76,
         {ChoiceTones()}},
        {K::List, {1045, 1050}, {{227, 87, 50, 83}, {351, 89, 50, 83}}, {1071, 1072}, {{172, 88, 53, 8}, {294, 91, 53, 8}}, 22,
         {ChoiceRow(3), ChoiceRow(2)}},
        {K::List, {1040, 1042}, {{227, 101, 50, 83}, {351, 103, 50, 83}}, {1079, 1080}, {{172, 102, 53, 8}, {294, 105, 53, 8}}, 77,
         {ChoiceRow(45), ChoiceRow(78), ChoiceRow(79)}},
        {K::List, {1041, 1043}, {{227, 115, 50, 83}, {351, 117, 50, 83}}, {1083, 1084}, {{172, 117, 53, 8}, {294, 120, 53, 8}}, 80,
         {ChoiceOffsets()}},
        {K::List, {1049, 1054}, {{227, 129, 50, 83}, {351, 131, 50, 83}}, {1077, 1078}, {{172, 131, 53, 8}, {294, 133, 53, 8}}, 24,
         {ChoiceRow(10), ChoiceRow(11)}},
        {K::List, {1039, 1028}, {{227, 159, 50, 83}, {351, 160, 50, 83}}, {1167, 1168}, {{191, 162, 33, 8}, {314, 161, 30, 8}}, 183,
         {ChoiceNumbers(1, 15)}},
        // Wider than the template's 43 and 45, so "Busy Lockout" fits.
        {K::Check, {1177, 1178}, {{191, 174, 80, 10}, {313, 174, 80, 10}}, {0, 0}, {{}, {}}, 56, {}},
    };
}

std::vector<FormControl> BuildLayout() {
    using K = ControlKind;
    std::vector<FormControl> layout = {
        Control(0, K::GroupBox, {7, 7, 147, 178}),
        Control(1067, K::GroupBox, {166, 7, 114, 180}, 72, kVfoSideA),
        Control(1068, K::GroupBox, {290, 7, 114, 180}, 73, kVfoSideB),
        Control(1174, K::GroupBox, {7, 191, 173, 56}, 54),
        Control(1175, K::GroupBox, {255, 191, 152, 56}, 85),
        Control(0, K::GroupBox, {7, 256, 234, 97}),
        Control(0, K::GroupBox, {254, 256, 146, 97}),
    };
    for (const GroupItem& item : GroupItems()) {
        for (int side : {kVfoSideA, kVfoSideB}) {
            if (item.captionId[side] != 0)
                layout.push_back(Control(item.captionId[side], K::Label, item.captionRect[side], item.row, side));
            FormControl control = Control(item.id[side], item.kind, item.rect[side],
                                          item.captionId[side] == 0 ? item.row : kNoRow, side);
            control.choices = item.choices;
            control.readOnly = item.readOnly;
            layout.push_back(std::move(control));
        }
    }
    // The hidden two-bit field of each group (A's list has no entries), with captions that
    // are never shown.
    layout.push_back(Hidden(Control(1102, K::List, {402, 255, 50, 83}, kNoRow, kVfoSideA)));
    layout.push_back(Hidden(WithChoices(Control(1115, K::List, {402, 334, 50, 83}, kNoRow, kVfoSideB), {ChoiceNumbers(0, 30)})));
    layout.push_back(Hidden(Control(0, K::Label, {359, 256, 33, 8})));
    layout.push_back(Hidden(Control(1116, K::Label, {420, 321, 32, 8}, 55)));

    // The work-mode box holds two rows instead of the template's one (buttons at y 217, the
    // count at 215): the two buttons, then the channel count, so the captions fit.
    layout.push_back(Control(1017, K::RadioButton, {330, 205, 60, 10}, 151));
    layout.push_back(Control(1059, K::Label, {333, 229, 40, 8}, 190));
    layout.push_back(Control(1136, K::Edit, {376, 226, 28, 14}));
    layout.push_back(Control(1121, K::Button, {299, 371, 37, 16}, 116));
    layout.push_back(Control(1120, K::Button, {359, 370, 37, 16}, 117));

    // Hidden controls that store nothing (their values are printed), and the hidden
    // six-character text edit with its caption.
    layout.push_back(Hidden(WithChoices(Control(1018, K::List, {7, 365, 45, 83}), {ChoiceNumbers(0, 9)})));
    layout.push_back(Hidden(Control(1086, K::Label, {}, 87)));
    layout.push_back(Hidden(WithChoices(Control(1055, K::List, {239, 369, 56, 83}), {ChoiceRow(6), ChoiceNumbers(1, 128)})));
    layout.push_back(Hidden(Control(1066, K::Label, {}, 71)));
    layout.push_back(Hidden(Control(1015, K::Check, {324, 325, 64, 9}, 56)));
    layout.push_back(Hidden(Limited(Control(1024, K::Edit, {155, 364, 25, 12}), 3)));
    layout.push_back(Hidden(Limited(Control(1044, K::Edit, {56, 366, 40, 12}), 6)));
    layout.push_back(Hidden(Limited(Control(1092, K::Edit, {412, 293, 40, 12}), 6)));
    layout.push_back(Hidden(Control(1093, K::Label, {}, 128)));
    layout.push_back(Hidden(Limited(Control(1106, K::Edit, {197, 363, 45, 13}), 6)));
    layout.push_back(Hidden(Control(0, K::Label, {7, 387, 33, 8})));
    layout.push_back(Hidden(Limited(Control(1100, K::Edit, {197, 376, 45, 13}), 6)));
    layout.push_back(Hidden(Control(1105, K::Label, {194, 355, 42, 8}, 141)));
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
                std::vector<std::string> tones = ToneListEntries(language.row(kOffTextRow));
                texts.insert(texts.end(), tones.begin(), tones.end());
                break;
            }
            case ChoiceItem::Kind::OffsetList:
                texts.insert(texts.end(), OffsetTexts().begin(), OffsetTexts().end());
                break;
        }
    }
    return texts;
}

const std::vector<FormControl>& SettingsLayout() {
    static const std::vector<FormControl> layout = BuildLayout();
    return layout;
}

}  // namespace radioprog
