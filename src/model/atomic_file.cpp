// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <random>
#include <vector>

namespace radioprog {

namespace {

// Symlink chains longer than this are a loop, as the kernel counts them.
constexpr int kMaxSymlinkHops = 40;
// A temporary file older than this is a leftover of a killed write.
constexpr time_t kLeftoverAgeSeconds = 60;

std::string Reason(const std::string& what, const std::string& path, int err) {
    return what + " " + path + ": " + std::strerror(err);
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

std::string DirectoryOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows symlinks from path to the file they name (which need not exist yet), so a save
// through a link replaces the real file and keeps the link.
bool ResolveSymlinks(const std::string& path, std::string& resolved, int& err) {
    resolved = path;
    for (int hop = 0; hop < kMaxSymlinkHops; ++hop) {
        struct stat info {};
        if (::lstat(resolved.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
        std::vector<char> target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1);
        ssize_t n = ::readlink(resolved.c_str(), target.data(), target.size());
        if (n < 0) {
            err = errno;
            return false;
        }
        if (static_cast<std::size_t>(n) >= target.size()) continue;  // the link changed meanwhile
        std::string next(target.data(), static_cast<std::size_t>(n));
        resolved = next.front() == '/' ? next : DirectoryOf(resolved) + "/" + next;
    }
    err = ELOOP;
    return false;
}

mode_t DocumentMode(const struct stat* existing) {
    if (existing) return existing->st_mode & 07777;
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A name in dir that nothing uses yet is hard to guess and marks the file as ours.
std::string TempName(const std::string& dir, const std::string& name) {
    static std::atomic<unsigned> counter{0};
    static thread_local std::mt19937_64 random{std::random_device{}() ^ static_cast<unsigned>(::getpid())};
    static const char kDigits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix;
    std::uint64_t bits = random() ^ counter.fetch_add(1);
    for (int i = 0; i < 8; ++i, bits /= 36) suffix += kDigits[bits % 36];
    return dir + "/." + name + ".tmp" + suffix;
}

// A temporary file of ours for name: "." + name + ".tmp" + 8 letters or digits (TempName).
bool IsTempNameOf(const std::string& entry, const std::string& name) {
    const std::string prefix = "." + name + ".tmp";
    if (entry.size() != prefix.size() + 8 || entry.compare(0, prefix.size(), prefix) != 0) return false;
    for (std::size_t i = prefix.size(); i < entry.size(); ++i)
        if (!std::islower(static_cast<unsigned char>(entry[i])) && !std::isdigit(static_cast<unsigned char>(entry[i])))
            return false;
    return true;
}

// A write killed between giving its temporary file a name and the rename leaves that file
// behind; the next write of the same target removes such leftovers. A minute's age keeps
// the temporary file of a write that runs at this moment (another program's) safe.
void RemoveLeftoverTemps(const std::string& dir, const std::string& name) {
    DIR* folder = ::opendir(dir.c_str());
    if (!folder) return;
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(folder)) {
        if (!IsTempNameOf(entry->d_name, name)) continue;
        struct stat info {};
        if (::fstatat(::dirfd(folder), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (!S_ISREG(info.st_mode) || now - info.st_mtime < kLeftoverAgeSeconds) continue;
        ::unlinkat(::dirfd(folder), entry->d_name, 0);
    }
    ::closedir(folder);
}

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now and reports the error close gives (a late write error on some file systems).
    int close() {
        int fd = fd_;
        fd_ = -1;
        return fd >= 0 && ::close(fd) != 0 ? errno : 0;
    }

private:
    int fd_;
};

// Writes everything, sets the mode and flushes it to disk; 0 or the errno that stopped it.
int FillFile(int fd, std::span<const std::uint8_t> data, mode_t mode) {
    if (::fchmod(fd, mode) != 0) return errno;
    if (!WriteAll(fd, data.data(), data.size())) return errno;
    if (::fsync(fd) != 0) return errno;
    return 0;
}

void SyncDirectory(const std::string& dir) {
    int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Gives the anonymous file a name: straight as the target when there is none yet (link
// never replaces a name), else a temporary name that then replaces the target.
FileResult LinkIntoPlace(int fd, const std::string& target, const std::string& dir) {
    std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) == 0) return {};
    if (errno != EEXIST) return {false, Reason("Cannot create", target, errno), errno};
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string temp = TempName(dir, NameOf(target));
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) != 0) {
            if (errno == EEXIST) continue;
            return {false, Reason("Cannot create a file beside", target, errno), errno};
        }
        if (::rename(temp.c_str(), target.c_str()) != 0) {
            int err = errno;
            ::unlink(temp.c_str());
            return {false, Reason("Cannot replace", target, err), err};
        }
        return {};
    }
    return {false, Reason("Cannot create a file beside", target, EEXIST), EEXIST};
}

FileResult WriteViaAnonymousFile(int fd, const std::string& target, const std::string& dir,
                                 std::span<const std::uint8_t> data, mode_t mode) {
    Descriptor file(fd);
    if (int err = FillFile(file.get(), data, mode)) return {false, Reason("Cannot write", target, err), err};
    FileResult linked = LinkIntoPlace(file.get(), target, dir);
    if (!linked.ok) return linked;
    if (int err = file.close()) return {false, Reason("Cannot write", target, err), err};
    return {};
}

FileResult WriteViaNamedFile(const std::string& target, const std::string& dir, std::span<const std::uint8_t> data,
                             mode_t mode) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string temp = TempName(dir, NameOf(target));
        int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return {false, Reason("Cannot create a file beside", target, errno), errno};
        }
        Descriptor file(fd);
        int err = FillFile(file.get(), data, mode);
        if (int closeErr = file.close(); !err) err = closeErr;
        if (!err && ::rename(temp.c_str(), target.c_str()) != 0) {
            int renameErr = errno;
            ::unlink(temp.c_str());
            return {false, Reason("Cannot replace", target, renameErr), renameErr};
        }
        if (err) {
            ::unlink(temp.c_str());
            return {false, Reason("Cannot write", target, err), err};
        }
        return {};
    }
    return {false, Reason("Cannot create a file beside", target, EEXIST), EEXIST};
}

}  // namespace

namespace detail {

FileResult WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> data, bool anonymousTemp) {
    std::string target;
    int err = 0;
    if (!ResolveSymlinks(path, target, err)) return {false, Reason("Cannot follow the link", path, err), err};
    struct stat existing {};
    bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) return {false, "Cannot replace " + target + ": it is not a regular file"};
    mode_t mode = DocumentMode(exists ? &existing : nullptr);
    std::string dir = DirectoryOf(target);

    FileResult result;
    // The anonymous file gets its name through /proc; without /proc it cannot get one.
    if (anonymousTemp && ::access("/proc/self/fd", X_OK) == 0) {
#ifdef O_TMPFILE
        int fd = ::open(dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (fd >= 0) {
            result = WriteViaAnonymousFile(fd, target, dir, data, mode);
        } else if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) {
            // The file system (or kernel) has no anonymous files: use a named one.
            result = WriteViaNamedFile(target, dir, data, mode);
        } else {
            return {false, Reason("Cannot create a file beside", target, errno), errno};
        }
#else
        result = WriteViaNamedFile(target, dir, data, mode);
#endif
    } else {
        result = WriteViaNamedFile(target, dir, data, mode);
    }
    if (result.ok) {
        RemoveLeftoverTemps(dir, NameOf(target));
        SyncDirectory(dir);
    }
    return result;
}

}  // namespace detail

FileResult WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> data) {
    return detail::WriteFileAtomically(path, data, true);
}

namespace {

// Something that exists and is neither a regular file nor a folder: a pipe, a device.
bool IsStream(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode);
}

}  // namespace

FileResult WriteOutputFile(const std::string& path, std::span<const std::uint8_t> data) {
    if (!IsStream(path)) return WriteFileAtomically(path, data);
    // A pipe or device has no folder to hold a temporary file, and nothing to replace.
    Descriptor file(::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) return {false, Reason("Cannot open", path, errno), errno};
    if (!WriteAll(file.get(), data.data(), data.size())) return {false, Reason("Cannot write", path, errno), errno};
    if (int err = file.close()) return {false, Reason("Cannot write", path, err), err};
    return {};
}

FileResult CheckOutputFile(const std::string& path) {
    if (IsStream(path)) return {};
    std::string target;
    int err = 0;
    if (!ResolveSymlinks(path, target, err)) return {false, Reason("Cannot follow the link", path, err), err};
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode))
        return {false, "Cannot replace " + target + ": it is not a regular file"};
    // The write creates its new file in the target's folder first.
    const std::string dir = DirectoryOf(target);
    struct stat folder {};
    if (::stat(dir.c_str(), &folder) != 0)
        err = errno;
    else if (!S_ISDIR(folder.st_mode))
        err = ENOTDIR;
    else if (::access(dir.c_str(), W_OK | X_OK) != 0)
        err = errno;
    if (err != 0) return {false, Reason("Cannot create a file beside", target, err), err};
    return {};
}

FileResult WriteFileAtomically(const std::string& path, std::string_view text) {
    return WriteFileAtomically(
        path, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace radioprog
