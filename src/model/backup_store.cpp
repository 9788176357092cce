// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/backup_store.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "model/dat_file.h"
#include "model/data_paths.h"

namespace radioprog {

namespace fs = std::filesystem;

namespace {

// A backup's place in time: the stamp sorts as text, the sequence as a number.
using BackupKey = std::pair<std::string, int>;

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "radio-" STAMP ["_" SEQUENCE] ".dat": the stamp shaped like kStampShape (0 = any digit),
// the sequence 1 to 6 digits.
bool ParseBackupName(std::string_view name, BackupKey& key) {
    constexpr std::string_view kPrefix = "radio-", kStampShape = "0000-00-00_00-00-00", kSuffix = ".dat";
    if (name.size() < kPrefix.size() + kStampShape.size() + kSuffix.size() || !name.starts_with(kPrefix) ||
        !name.ends_with(kSuffix))
        return false;
    const std::string_view stamp = name.substr(kPrefix.size(), kStampShape.size());
    for (std::size_t i = 0; i < stamp.size(); ++i)
        if (kStampShape[i] == '0' ? !AllDigits(stamp.substr(i, 1)) : stamp[i] != kStampShape[i]) return false;
    std::string_view sequence = name.substr(kPrefix.size() + stamp.size());
    sequence.remove_suffix(kSuffix.size());
    int number = 1;
    if (!sequence.empty()) {
        sequence.remove_prefix(1);
        if (name[kPrefix.size() + stamp.size()] != '_' || sequence.empty() || sequence.size() > 6 ||
            !AllDigits(sequence))
            return false;
        std::from_chars(sequence.data(), sequence.data() + sequence.size(), number);
    }
    key = {std::string(stamp), number};
    return true;
}

// Keeps the backup just written whatever its name says (the clock may have been set back)
// and the newest keep - 1 of the others.
void PruneBackups(const fs::path& dir, const fs::path& written, std::size_t keep) {
    std::vector<std::pair<BackupKey, fs::path>> backups;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        BackupKey key;
        if (it->path() != written && it->is_regular_file(ec) && ParseBackupName(it->path().filename().string(), key))
            backups.emplace_back(key, it->path());
    }
    std::size_t othersKept = keep > 0 ? keep - 1 : 0;
    if (backups.size() <= othersKept) return;
    std::sort(backups.begin(), backups.end());
    for (std::size_t i = 0; i < backups.size() - othersKept; ++i) fs::remove(backups[i].second, ec);
}

}  // namespace

std::string BackupDirectory() {
    std::string base = XdgDataHome();
    if (base.empty()) return {};
    return (fs::path(base) / "radioprog" / "backups").string();
}

std::string BackupFileName(std::time_t when, int sequence) {
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &when);
#else
    localtime_r(&when, &local);
#endif
    char stamp[64];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &local);
    std::string name = std::string("radio-") + stamp;
    if (sequence > 1) name += "_" + std::to_string(sequence);
    return name + ".dat";
}

BackupResult SaveBackup(const RadioImage& image, std::time_t when, std::size_t keep) {
    std::string dirText = BackupDirectory();
    if (dirText.empty()) return {false, {}, "No data directory: neither XDG_DATA_HOME nor HOME is set"};
    fs::path dir(dirText);
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) return {false, {}, "Cannot create " + dir.string() + ": " + ec.message()};

    fs::path path;
    for (int sequence = 1;; ++sequence) {
        path = dir / BackupFileName(when, sequence);
        if (!fs::exists(path, ec)) break;
    }
    FileResult saved = SaveDatFile(image, path.string());
    if (!saved.ok) return {false, {}, saved.error};
    PruneBackups(dir, path, keep);
    return {true, path.string(), {}};
}

}  // namespace radioprog
