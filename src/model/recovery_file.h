// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The recovery file: while the open document holds unsaved edits, its image is kept in the
// user's state directory, so a crash or a power cut loses at most the last half minute. The
// file is a .dat file (it opens as one) followed by the document's own file path, if any, so
// one atomic write keeps both together.
//
// Each running program keeps its own file, recovery-<process id>.dat, and holds a lock on
// recovery-<process id>.lock while it does. At start only the files of programs that no longer
// run (their lock is free) are offered, so two running copies never take each other's edits.
#include <optional>
#include <string>
#include <vector>

#include "model/atomic_file.h"
#include "model/radio_image.h"

namespace radioprog {

// $XDG_STATE_HOME/radioprog, or ~/.local/state/radioprog when XDG_STATE_HOME is unset, empty
// or not an absolute path. Empty when neither that nor HOME can be used.
std::string RecoveryDirectory();

// This program's recovery file. The lock is taken at the first write and held until the
// object goes (or the program ends, however it ends).
class OwnRecovery {
public:
    OwnRecovery();
    ~OwnRecovery();
    OwnRecovery(const OwnRecovery&) = delete;
    OwnRecovery& operator=(const OwnRecovery&) = delete;

    // recovery-<pid>.dat in RecoveryDirectory() (empty when there is no directory).
    std::string path() const;
    // Writes the image and the document's path (empty: untitled) atomically, creating the
    // directory and taking the lock if needed.
    FileResult write(const RadioImage& image, const std::string& documentPath);
    // Removes the file; nothing happens when there is none.
    void remove();

private:
    int lockFd_ = -1;
};

struct Recovery {
    RadioImage image;
    std::string documentPath;  // empty: the document had no file
};

// Writes a recovery file at file as a program keeps it (tests stage other programs' files).
FileResult WriteRecovery(const std::string& file, const RadioImage& image, const std::string& documentPath);

// The recovery files no running program holds, newest first (a file of an earlier version
// without a lock included).
std::vector<std::string> UnheldRecoveryFiles();

// The file's contents; nothing when it cannot be read as an image.
std::optional<Recovery> ReadRecovery(const std::string& file);

// Removes a recovery file and its lock; nothing happens when there is none.
void RemoveRecovery(const std::string& file);

}  // namespace radioprog
