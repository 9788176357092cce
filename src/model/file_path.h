// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File names are UTF-8 throughout the program. Windows names files in UTF-16, and its narrow
// calls would take the local code page, which cannot name every file: every file name goes
// to and comes from the system through these two, which convert as UTF-8 on every system.
#include <filesystem>
#include <string>
#include <string_view>

namespace radioprog {

// The system's name of the file named utf8 (on Windows, path.c_str() is the UTF-16 name).
std::filesystem::path FilePath(std::string_view utf8);
// The UTF-8 text of a name the system gave.
std::string PathText(const std::filesystem::path& path);

}  // namespace radioprog
