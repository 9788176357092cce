#pragma once
// The one way the program writes a whole file: the bytes go to a temporary file beside the
// target, are flushed to disk, and only then replace the target. A failed or interrupted write
// never destroys the previous file.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace radioprog {

struct FileResult {
    bool ok = true;
    std::string error;  // why it failed, for the user
    int systemError = 0;  // the system's error number when the system refused, else 0
};

// Writes data to path atomically. A new file gets the usual permissions of a user's document
// (0666 less the umask); an existing file keeps its permissions.
FileResult WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> data);
FileResult WriteFileAtomically(const std::string& path, std::string_view text);

}  // namespace radioprog
