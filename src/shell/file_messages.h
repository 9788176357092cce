// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Messages about the program's files in the user's language: a language row, the file's
// name, and the system's reason when the system refused.
#include <string>

#include "model/atomic_file.h"
#include "model/language_table.h"

namespace radioprog {

// A file was not read: refused before reading (not a regular file, too large), out of
// memory, or the system refused.
std::string ReadFailureText(const std::string& path, ReadFailure failure, int systemError,
                            const LanguageTable& language);

// Opening a .dat file failed: it could not be read, or it is too short to be a radio image.
std::string DatOpenFailure(const std::string& path, const FileResult& result, const LanguageTable& language);

// Saving a file failed.
std::string SaveFailure(const std::string& path, const FileResult& result, const LanguageTable& language);

// The question before Save replaces an existing file.
std::string ReplaceQuestion(const std::string& path, const LanguageTable& language);

// Start-up found no language file; names the folders looked in.
std::string NoLanguageFileNotice(const LanguageTable& language);

}  // namespace radioprog
