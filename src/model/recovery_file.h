// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The recovery file: while the open document holds unsaved edits, its image is kept in the
// user's state directory, so a crash or a power cut loses at most the last half minute. The
// file is a .dat file (it opens as one) followed by the document's own file path, if any, so
// one atomic write keeps both together.
#include <optional>
#include <string>

#include "model/atomic_file.h"
#include "model/radio_image.h"

namespace radioprog {

// $XDG_STATE_HOME/radioprog, or ~/.local/state/radioprog when XDG_STATE_HOME is unset, empty
// or not an absolute path. Empty when neither that nor HOME can be used.
std::string RecoveryDirectory();
// recovery.dat in that directory (empty when there is no directory).
std::string RecoveryFilePath();

// Writes the image and the document's path (empty: untitled) atomically, creating the
// directory if needed.
FileResult WriteRecovery(const RadioImage& image, const std::string& documentPath);

struct Recovery {
    RadioImage image;
    std::string documentPath;  // empty: the document had no file
};

// The recovery file's contents; nothing when there is none or it cannot be read as an image.
std::optional<Recovery> ReadRecovery();

// Removes the recovery file; nothing happens when there is none.
void RemoveRecovery();

}  // namespace radioprog
