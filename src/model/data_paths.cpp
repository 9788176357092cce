// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/data_paths.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "model/file_path.h"

#ifdef _WIN32
#include <windows.h>
#endif

#ifndef RADIOPROG_DATA_DIR
#define RADIOPROG_DATA_DIR "/usr/local/share/radioprog"
#endif

namespace radioprog {

namespace fs = std::filesystem;

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

void AddOnce(std::vector<std::string>& dirs, const std::string& dir) {
    if (std::find(dirs.begin(), dirs.end(), dir) == dirs.end()) dirs.push_back(dir);
}

}  // namespace

std::string ProgramDir() {
#ifdef _WIN32
    wchar_t path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return PathText(fs::path(std::wstring(path, length)).parent_path());
#endif
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

std::string XdgUserDir(const char* variable, const char* underHome) {
    std::string dir = Env(variable);
    if (fs::path(dir).is_absolute()) return dir;
    std::string home = Env("HOME");
    if (home.empty()) return {};
    return (fs::path(home) / underHome).string();
}

std::string XdgDataHome() { return XdgUserDir("XDG_DATA_HOME", ".local/share"); }

std::vector<std::string> XdgDataDirs() {
    std::vector<std::string> dirs;
    if (std::string home = XdgDataHome(); !home.empty()) dirs.push_back(home);
    std::string list = Env("XDG_DATA_DIRS");
    if (list.empty()) list = "/usr/local/share:/usr/share";
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t colon = std::min(list.find(':', start), list.size());
        std::string entry = list.substr(start, colon - start);
        while (entry.size() > 1 && entry.back() == '/') entry.pop_back();
        if (fs::path(entry).is_absolute()) AddOnce(dirs, entry);
        start = colon + 1;
    }
    return dirs;
}

std::vector<std::string> DataSearchDirs() {
    std::vector<std::string> dirs{"."};
    std::string programDir = ProgramDir();
    if (!programDir.empty()) dirs.push_back(programDir);
    for (const std::string& base : XdgDataDirs()) AddOnce(dirs, PathText(FilePath(base) / "radioprog"));
    // An installation moved as a whole (bin/ and share/ side by side) still finds its files.
    if (!programDir.empty()) AddOnce(dirs, PathText(FilePath(programDir).parent_path() / "share" / "radioprog"));
    AddOnce(dirs, RADIOPROG_DATA_DIR);
    return dirs;
}

std::vector<std::string> FindDataFiles(std::initializer_list<std::string> names) {
    std::vector<std::string> found;
    for (const std::string& dir : DataSearchDirs()) {
        for (const std::string& name : names) {
            fs::path candidate = dir == "." ? FilePath(name) : FilePath(dir) / FilePath(name);
            std::error_code ec;
            if (fs::is_regular_file(candidate, ec)) found.push_back(PathText(candidate));
        }
    }
    return found;
}

std::string FindDataFile(std::initializer_list<std::string> names) {
    std::vector<std::string> found = FindDataFiles(names);
    return found.empty() ? std::string() : found.front();
}

}  // namespace radioprog
