// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/file_messages.h"

#include <cstring>

#include "model/data_paths.h"

namespace radioprog {

namespace {

std::string WithReason(int row, const std::string& path, int systemError, const LanguageTable& language) {
    std::string text = language.row(row) + "\n" + path;
    if (systemError != 0) text += "\n" + std::string(std::strerror(systemError));
    return text;
}

}  // namespace

std::string ReadFailureText(const std::string& path, ReadFailure failure, int systemError,
                            const LanguageTable& language) {
    int row = lang_row::kCannotRead;
    switch (failure) {
    case ReadFailure::NotRegular: row = lang_row::kNotRegularFile; break;
    case ReadFailure::TooLarge: row = lang_row::kFileTooLarge; break;
    case ReadFailure::NoMemory: row = lang_row::kNoMemoryToRead; break;
    case ReadFailure::None:
    case ReadFailure::Open:
    case ReadFailure::Read: break;
    }
    return WithReason(row, path, systemError, language);
}

std::string DatOpenFailure(const std::string& path, const FileResult& result, const LanguageTable& language) {
    if (result.readFailure != ReadFailure::None)
        return ReadFailureText(path, result.readFailure, result.systemError, language);
    return WithReason(result.systemError != 0 ? lang_row::kCannotRead : lang_row::kNotRadioImage, path,
                      result.systemError, language);
}

std::string SaveFailure(const std::string& path, const FileResult& result, const LanguageTable& language) {
    return WithReason(lang_row::kCannotWrite, path, result.systemError, language);
}

std::string ReplaceQuestion(const std::string& path, const LanguageTable& language) {
    return language.row(lang_row::kReplaceFile) + "\n" + path;
}

std::string NoLanguageFileNotice(const LanguageTable& language) {
    std::string text = language.row(lang_row::kNoLanguageFile);
    for (const std::string& dir : DataSearchDirs()) text += "\n" + dir;
    return text;
}

}  // namespace radioprog
