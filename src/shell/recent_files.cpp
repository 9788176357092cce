// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/recent_files.h"

#include <algorithm>

namespace radioprog {

std::vector<std::string> WithRecentFile(const std::vector<std::string>& recent, const std::string& path,
                                        std::size_t kept) {
    std::vector<std::string> list;
    if (!path.empty()) list.push_back(path);
    for (const std::string& entry : recent)
        if (!entry.empty() && std::find(list.begin(), list.end(), entry) == list.end()) list.push_back(entry);
    if (list.size() > kept) list.resize(kept);
    return list;
}

std::string RecentFileCaption(std::size_t index, const std::string& path) {
    // A "&" in the path is shown, not taken as the accelerator mark.
    std::string shown;
    for (char c : path) {
        if (c == '&') shown += '&';
        shown += c;
    }
    const std::string number = std::to_string(index + 1);
    return index < 9 ? "&" + number + " " + shown : number + " " + shown;
}

}  // namespace radioprog
