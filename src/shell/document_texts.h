// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts that name the open file: in the window title and in the unsaved-changes question.
#include <string>

#include "model/language_table.h"

namespace radioprog {

// The file's name without its folder; "Untitled" (a language row) for a document no file holds.
std::string DocumentName(const std::string& path, const LanguageTable& language);

// "<name>[*] - <program title>", with the separator Qt puts before a maximized editor's
// "[Channel]": "[*]" is where the window shows its modified marker. Without a program title
// only "<name>[*]".
std::string DocumentWindowTitle(const std::string& path, const LanguageTable& language);

// The question before unsaved changes would be lost, naming the document.
std::string SaveChangesQuestion(const std::string& path, const LanguageTable& language);

}  // namespace radioprog
