// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/transfer_reports.h"

#include "model/extra_rows.h"

namespace radioprog {

std::string OtherModelText(const OtherModel& other, const LanguageTable& language) {
    if (other.model.empty()) return language.row(lang_row::kAnsweredNotAsThisRadio);
    return language.row(lang_row::kOtherModelAnswered) + " " + other.model;
}

}  // namespace radioprog
