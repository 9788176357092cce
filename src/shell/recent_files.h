// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The File menu's list of recently used files: newest first, each file once, at most eight.
#include <cstddef>
#include <string>
#include <vector>

namespace radioprog {

inline constexpr std::size_t kRecentFilesKept = 8;

// The list after `path` was opened or saved: `path` first, its older entry dropped, the oldest
// beyond `kept` dropped. Empty entries are dropped.
std::vector<std::string> WithRecentFile(const std::vector<std::string>& recent, const std::string& path,
                                        std::size_t kept = kRecentFilesKept);

// The menu text of entry `index` (0-based): "&1 name" ... "&9 name", then without a mark.
std::string RecentFileCaption(std::size_t index, const std::string& path);

}  // namespace radioprog
