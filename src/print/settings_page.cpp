#include "print/settings_page.h"

#include <array>

namespace radioprog {

namespace {

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
    {43, "= ", Value::Text, 1009},  {44, "= ", Value::Text, 1012},  {60, "= ", Value::Text, 1023},
    {61, "= ", Value::Text, 1025},  {64, "= ", Value::Text, 1030},  {65, "= ", Value::Text, 1034},
    {71, "= ", Value::Text, 1055},  {134, "= ", Value::Text, 1094}, {135, "= ", Value::Text, 1096},
    {136, "= ", Value::Text, 1101}, {137, "= ", Value::Text, 1111}, {140, "= ", Value::Text, 1107},
    {152, "= ", Value::Text, 1109}, {141, "^= ", Value::Field, 1100}, {141, "V= ", Value::Field, 1106},
    {58, "= ", Value::Check, 1021},
}};

// The step lines print the text the step list shows: the frequencies snap to that step, so
// the printout names the step they are stored with.
constexpr std::array<SideEntry, 10> kSides{{
    {74, 74, Value::Field, 1026, 1027}, {22, 22, Value::Text, 1045, 1050}, {75, 75, Value::Text, 1046, 1051},
    {76, 76, Value::Text, 1047, 1052},  {24, 24, Value::Text, 1049, 1054}, {77, 77, Value::Text, 1040, 1042},
    {80, 80, Value::Text, 1041, 1043},  {81, 81, Value::Text, 1033, 1038}, {86, 87, Value::Index, 1013, 1018},
    {88, 89, Value::Text, 1008, 1011},
}};

constexpr std::array<Entry, 3> kSideBChecks{{
    {56, "= ", Value::Check, 1015},
    {57, "= ", Value::Check, 1020},
    {114, "= ", Value::Check, 1089},
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
