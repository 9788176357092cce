// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Backups of the image after every successful read from the radio: .dat files in the
// user's data directory, named by local date and time, the newest 50 kept.
#include <cstddef>
#include <ctime>
#include <string>

#include "model/radio_image.h"

namespace radioprog {

inline constexpr std::size_t kBackupsKept = 50;

// $XDG_DATA_HOME/radioprog/backups, or ~/.local/share/radioprog/backups when XDG_DATA_HOME
// is unset, empty or not an absolute path. Empty when neither that nor HOME can be used.
std::string BackupDirectory();

// "radio-2026-12-10_14-03-27.dat" for the local time `when`; sequence 2, 3, ... gives
// "radio-2026-12-10_14-03-27_2.dat", ... for more backups within the same second.
std::string BackupFileName(std::time_t when, int sequence = 1);

struct BackupResult {
    bool ok = false;
    std::string path;   // the file written
    std::string error;  // why nothing was written
};

// Creates the backup directory if needed, writes the image there as a .dat file under a
// name no other backup has, then removes the oldest backups beyond the newest `keep`
// (files of other names are never touched, the new backup always stays, a backup that
// cannot be removed is left).
BackupResult SaveBackup(const RadioImage& image, std::time_t when = std::time(nullptr),
                        std::size_t keep = kBackupsKept);

}  // namespace radioprog
