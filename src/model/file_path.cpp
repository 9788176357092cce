// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/file_path.h"

#include <system_error>

namespace radioprog {

std::filesystem::path FilePath(std::string_view utf8) {
    try {
        return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
    } catch (const std::system_error&) {
        // Not UTF-8 (a name from an older file or another tool): the bytes as they are.
        return std::filesystem::path(std::string(utf8));
    }
}

std::string PathText(const std::filesystem::path& path) {
    try {
        const std::u8string text = path.u8string();
        return std::string(text.begin(), text.end());
    } catch (const std::system_error&) {
        return path.string();
    }
}

}  // namespace radioprog
