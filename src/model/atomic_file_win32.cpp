// SPDX-License-Identifier: GPL-3.0-or-later
// Atomic writes on Windows: the bytes go to a named temporary file beside the target, are
// flushed to disk, and the file then replaces the target in one step (MoveFileEx with
// write-through). Windows has no anonymous files, so both ways take the named one.
#include <windows.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "model/atomic_file.h"
#include "model/file_path.h"
#include "model/system_error_win32.h"

namespace radioprog {

namespace {

FileResult Failed(const std::string& what, const std::string& path, DWORD code) {
    return {false, what + " " + path + ": " + SystemErrorText(code), static_cast<int>(code)};
}

// Both separators name a folder on Windows.
std::string TempBeside(const std::string& target) {
    const std::size_t slash = target.find_last_of("/\\");
    const std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    static thread_local std::mt19937_64 random{std::random_device{}() ^ ::GetCurrentProcessId()};
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix;
    for (int i = 0; i < 8; ++i) suffix += kLetters[random() % (sizeof kLetters - 1)];
    return dir + "." + name + ".tmp" + suffix;
}

}  // namespace

namespace detail {

FileResult WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> data, bool) {
    std::string temp;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 16 && file == INVALID_HANDLE_VALUE; ++attempt) {
        temp = TempBeside(path);
        file = ::CreateFileW(FilePath(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                             nullptr);
        if (file == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS)
            return Failed("Cannot create a file beside", path, ::GetLastError());
    }
    if (file == INVALID_HANDLE_VALUE) return Failed("Cannot create a file beside", path, ERROR_FILE_EXISTS);

    std::size_t done = 0;
    bool written = true;
    while (done < data.size() && written) {
        DWORD n = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1u << 30));
        written = ::WriteFile(file, data.data() + done, chunk, &n, nullptr) != 0;
        done += n;
    }
    const DWORD writeError = written ? ERROR_SUCCESS : ::GetLastError();
    const bool flushed = written && ::FlushFileBuffers(file);
    const DWORD flushError = flushed ? ERROR_SUCCESS : ::GetLastError();
    ::CloseHandle(file);
    if (!written || !flushed) {
        ::DeleteFileW(FilePath(temp).c_str());
        return Failed("Cannot write", path, written ? flushError : writeError);
    }
    if (!::MoveFileExW(FilePath(temp).c_str(), FilePath(path).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD err = ::GetLastError();
        ::DeleteFileW(FilePath(temp).c_str());
        return Failed("Cannot replace", path, err);
    }
    return {};
}

}  // namespace detail

FileResult WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> data) {
    return detail::WriteFileAtomically(path, data, false);
}

// Windows names no pipes or devices by path that a command line would give here.
FileResult WriteOutputFile(const std::string& path, std::span<const std::uint8_t> data) {
    return WriteFileAtomically(path, data);
}

FileResult CheckOutputFile(const std::string&) { return {}; }

FileResult WriteFileAtomically(const std::string& path, std::string_view text) {
    return WriteFileAtomically(
        path, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace radioprog
