// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/recovery_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "model/dat_file.h"
#include "model/data_paths.h"

namespace radioprog {

namespace fs = std::filesystem;

namespace {

constexpr char kPrefix[] = "recovery";
constexpr char kDataSuffix[] = ".dat";
constexpr char kLockSuffix[] = ".lock";

// recovery-<pid>.dat -> recovery-<pid>.lock; recovery.dat (an earlier version's) has none.
fs::path LockOf(const fs::path& file) {
    fs::path lock = file;
    return lock.replace_extension(kLockSuffix);
}

// True when a running program holds the lock of file.
bool Held(const fs::path& file) {
    const int fd = ::open(LockOf(file).c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

bool IsRecoveryName(const std::string& name) {
    const std::string prefix = kPrefix;
    const std::string suffix = kDataSuffix;
    if (name.size() < prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    const std::string middle = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    if (middle.empty()) return true;
    return middle.size() > 1 && middle[0] == '-' &&
           std::all_of(middle.begin() + 1, middle.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string RecoveryDirectory() {
    const std::string stateHome = XdgUserDir("XDG_STATE_HOME", ".local/state");
    return stateHome.empty() ? std::string() : (fs::path(stateHome) / "radioprog").string();
}

OwnRecovery::OwnRecovery() = default;

OwnRecovery::~OwnRecovery() {
    if (lockFd_ < 0) return;
    // No file left to guard: the lock goes too.
    std::error_code ec;
    if (const std::string file = path(); !file.empty() && !fs::exists(file, ec)) fs::remove(LockOf(file), ec);
    ::close(lockFd_);
}

std::string OwnRecovery::path() const {
    const std::string dir = RecoveryDirectory();
    if (dir.empty()) return {};
    return (fs::path(dir) / (std::string(kPrefix) + "-" + std::to_string(::getpid()) + kDataSuffix)).string();
}

FileResult OwnRecovery::write(const RadioImage& image, const std::string& documentPath) {
    const std::string file = path();
    if (file.empty()) return {false, "no home directory for the recovery file"};
    std::error_code ec;
    fs::create_directories(fs::path(file).parent_path(), ec);
    if (ec) return {false, "cannot create " + fs::path(file).parent_path().string() + ": " + ec.message()};
    if (lockFd_ < 0) {
        // Held for as long as this program keeps the file; the system frees it when the
        // program ends, however it ends.
        lockFd_ = ::open(LockOf(file).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0600);
        if (lockFd_ < 0) return {false, "cannot create " + LockOf(file).string(), errno};
        if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
            const int err = errno;
            ::close(lockFd_);
            lockFd_ = -1;
            return {false, "cannot lock " + LockOf(file).string(), err};
        }
    }
    return WriteRecovery(file, image, documentPath);
}

void OwnRecovery::remove() {
    std::error_code ec;
    if (const std::string file = path(); !file.empty()) fs::remove(file, ec);
}

FileResult WriteRecovery(const std::string& file, const RadioImage& image, const std::string& documentPath) {
    std::error_code ec;
    fs::create_directories(fs::path(file).parent_path(), ec);
    if (ec) return {false, "cannot create " + fs::path(file).parent_path().string() + ": " + ec.message()};
    std::vector<std::uint8_t> content(kDatFileSize, 0);
    std::copy(image.bytes.begin(), image.bytes.end(), content.begin());
    // A path too long to follow (none on Linux is) is left out, so the copy still opens.
    if (kDatFileSize + documentPath.size() <= kDatMaximumSize)
        content.insert(content.end(), documentPath.begin(), documentPath.end());
    return WriteFileAtomically(file, content);
}

std::vector<std::string> UnheldRecoveryFiles() {
    const std::string dir = RecoveryDirectory();
    std::error_code ec;
    if (dir.empty() || !fs::is_directory(dir, ec)) return {};
    std::vector<std::pair<fs::file_time_type, std::string>> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir, ec)) {
        if (!IsRecoveryName(entry.path().filename().string()) || !entry.is_regular_file(ec)) continue;
        if (Held(entry.path())) continue;
        found.emplace_back(entry.last_write_time(ec), entry.path().string());
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<std::string> files;
    for (auto& [time, file] : found) files.push_back(std::move(file));
    return files;
}

std::optional<Recovery> ReadRecovery(const std::string& file) {
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

void RemoveRecovery(const std::string& file) {
    if (file.empty()) return;
    std::error_code ec;
    fs::remove(file, ec);
    if (!Held(file)) fs::remove(LockOf(file), ec);
}

}  // namespace radioprog
