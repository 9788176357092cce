// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The interface language from the locale: the column of the language file a first start
// shows, and the locale of the toolkit's own texts (file dialogs, standard buttons) for a
// column. The shipped file's columns are Simplified Chinese, Traditional Chinese and English.
#include <string>

namespace radioprog {

// "zh_CN", "zh_TW", or empty for a column whose texts the toolkit already shows (English).
std::string InterfaceLocale(int languageIndex);

// The variables that say which language the user reads; an unset variable is empty.
struct LocaleEnvironment {
    std::string language;    // LANGUAGE: languages in order of preference, separated by ':'
    std::string lcAll;       // LC_ALL
    std::string lcMessages;  // LC_MESSAGES
    std::string lang;        // LANG
};

// This process's values.
LocaleEnvironment ProcessLocaleEnvironment();

// The column a start without a remembered choice shows, of a language file with columnCount
// languages. The variables are weighed as the C library weighs them for messages: LC_ALL,
// else LC_MESSAGES, else LANG is the locale; LANGUAGE's list comes before it unless the
// locale is C or POSIX. The first language the file has wins: zh_CN and zh_SG (or zh) are
// column 0, zh_TW, zh_HK and zh_MO column 1, English column 2. Otherwise the default column.
int StartLanguageIndex(const LocaleEnvironment& environment, int columnCount);

}  // namespace radioprog
