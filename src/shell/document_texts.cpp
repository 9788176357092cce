// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/document_texts.h"

namespace radioprog {

std::string DocumentName(const std::string& path, const LanguageTable& language) {
    const std::size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name.empty() ? language.row(lang_row::kUntitled) : name;
}

std::string DocumentWindowTitle(const std::string& path, const LanguageTable& language) {
    std::string title = DocumentName(path, language) + "[*]";
    if (!language.row(lang_row::kTitle).empty()) title += " - " + language.row(lang_row::kTitle);
    return title;
}

std::string SaveChangesQuestion(const std::string& path, const LanguageTable& language) {
    std::string text = language.row(lang_row::kSaveChangesQuestion);
    const std::size_t mark = text.find("%1");
    if (mark != std::string::npos) text.replace(mark, 2, DocumentName(path, language));
    return text;
}

}  // namespace radioprog
