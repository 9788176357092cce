// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The locale of the toolkit's own texts (file dialogs, standard buttons) for a column of the
// language file: the shipped file's columns are Simplified Chinese, Traditional Chinese and
// English.
#include <string>

namespace radioprog {

// "zh_CN", "zh_TW", or empty for a column whose texts the toolkit already shows (English).
std::string InterfaceLocale(int languageIndex);

}  // namespace radioprog
