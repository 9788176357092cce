// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/cell_speech.h"

#include "model/extra_rows.h"

namespace radioprog {

std::string CellSpeech(const LanguageTable& language, int channel, const std::string& columnHeader,
                       const std::string& value) {
    return language.row(lang_row::kChannel) + " " + std::to_string(channel) + ", " + columnHeader + ", " +
           (value.empty() ? language.row(lang_row::kEmptyCellSpeech) : value);
}

}  // namespace radioprog
