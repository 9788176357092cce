// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/recovery_file.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

#include "model/dat_file.h"

namespace radioprog {

namespace fs = std::filesystem;

std::string RecoveryDirectory() {
    const char* stateHome = std::getenv("XDG_STATE_HOME");
    fs::path base;
    if (stateHome && *stateHome && fs::path(stateHome).is_absolute()) {
        base = stateHome;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || !*home) return {};
        base = fs::path(home) / ".local" / "state";
    }
    return (base / "radioprog").string();
}

std::string RecoveryFilePath() {
    const std::string dir = RecoveryDirectory();
    return dir.empty() ? std::string() : (fs::path(dir) / "recovery.dat").string();
}

FileResult WriteRecovery(const RadioImage& image, const std::string& documentPath) {
    const std::string dir = RecoveryDirectory();
    if (dir.empty()) return {false, "no home directory for the recovery file"};
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) return {false, "cannot create " + dir + ": " + ec.message()};
    std::vector<std::uint8_t> content(kDatFileSize, 0);
    std::copy(image.bytes.begin(), image.bytes.end(), content.begin());
    content.insert(content.end(), documentPath.begin(), documentPath.end());
    return WriteFileAtomically(RecoveryFilePath(), content);
}

std::optional<Recovery> ReadRecovery() {
    const std::string file = RecoveryFilePath();
    std::error_code ec;
    if (file.empty() || !fs::is_regular_file(file, ec)) return std::nullopt;
    Recovery recovery;
    recovery.image.ApplyDefaults();
    if (!OpenDatFile(file, recovery.image).ok) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (in.seekg(static_cast<std::streamoff>(kDatFileSize)))
        recovery.documentPath.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return recovery;
}

void RemoveRecovery() {
    std::error_code ec;
    if (const std::string file = RecoveryFilePath(); !file.empty()) fs::remove(file, ec);
}

}  // namespace radioprog
