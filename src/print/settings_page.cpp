// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/settings_page.h"

#include "model/extra_rows.h"
#include "radio/control_ids.h"
#include "radio/settings_vfo.h"

namespace radioprog {

namespace {

namespace sc = settings_control;

SettingsBlock BlockOf(const FormControl& control) {
    if (control.side == kVfoSideA) return SettingsBlock::SideA;
    if (control.side == kVfoSideB) return SettingsBlock::SideB;
    return SettingsBlock::General;
}

int CaptionRowOf(int id) {
    const FormControl* control = FindSettingsControl(id);
    return control ? control->captionRow : kNoRow;
}

std::string ValueText(const FormControl& control, const PrintData& data) {
    const SettingsForm& form = data.form;
    const LanguageTable& language = data.language;
    switch (BindingOf(control)) {
    case Binding::Selection:
        if (auto shown = data.shownTexts.find(control.id); shown != data.shownTexts.end()) return shown->second;
        return SettingsTextOf(form, control.id, language);
    case Binding::Check: return language.row(form.check(control.id) == 1 ? lang_row::kYes : lang_row::kNo);
    case Binding::Text: return form.text(control.id);
    case Binding::ChannelCount: return std::to_string(form.channelCount);
    case Binding::RadioIndex: {
        const int mode = form.workMode();
        if (mode != 0 && mode != 1) return {};
        return language.row(CaptionRowOf(mode == 0 ? sc::kWorkMode : sc::kWorkModeChannel));
    }
    case Binding::None: break;
    }
    return {};
}

}  // namespace

std::vector<SettingsPageLine> SettingsPageLines(const PrintData& data) {
    std::vector<SettingsPageLine> lines;
    int count[4] = {};
    // A control without its own caption is captioned by the label just before it.
    int labelRow = kNoRow;
    for (const FormControl& control : SettingsFormControls()) {
        if (control.kind == ControlKind::Label) {
            labelRow = control.hidden ? kNoRow : control.captionRow;
            continue;
        }
        const Binding binding = BindingOf(control);
        int captionRow = control.captionRow != kNoRow ? control.captionRow : labelRow;
        labelRow = kNoRow;
        if (binding == Binding::None || control.hidden) continue;
        // The work-mode pair prints as its group: the caption of the checked button.
        if (binding == Binding::RadioIndex) captionRow = CaptionRowOf(sc::kWorkModeGroup);
        const SettingsBlock block = BlockOf(control);
        const int line = ++count[static_cast<int>(block)];
        lines.push_back({block, line, control.id, data.language.row(captionRow) + "= ", ValueText(control, data)});
    }
    return lines;
}

std::string SettingsBlockTitle(SettingsBlock block, const LanguageTable& language) {
    switch (block) {
    case SettingsBlock::SideA: return language.row(lang_row::kVfoA);
    case SettingsBlock::SideB: return language.row(lang_row::kVfoB);
    case SettingsBlock::General: break;
    }
    return {};
}

const std::vector<int>& SettingsPageShownControls() {
    static const std::vector<int> kControls = [] {
        std::vector<int> controls;
        for (const FormControl& control : SettingsFormControls())
            if (!control.hidden && BindingOf(control) == Binding::Selection) controls.push_back(control.id);
        return controls;
    }();
    return kControls;
}

}  // namespace radioprog
