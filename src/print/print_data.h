// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the printout shows: the channel table's cells as the channel editor shows them, the
// optional-functions form as it stands, and the texts.
#include <array>
#include <map>
#include <string>

#include "model/language_table.h"
#include "model/radio_image.h"
#include "radio/channel_cells.h"
#include "radio/settings_form.h"

namespace radioprog {

struct PrintData {
    std::array<ChannelRow, kChannelCount> channels{};
    // The form's values as last exchanged with its controls.
    SettingsForm form;
    // What visible controls show right now (a list's current entry), by control; a control
    // not listed shows what the form holds.
    std::map<int, std::string> shownTexts;
    LanguageTable language;
};

// The printout of an image as the editors would show it right after loading it.
PrintData PrintDataFromImage(const RadioImage& image, const LanguageTable& language);

}  // namespace radioprog
