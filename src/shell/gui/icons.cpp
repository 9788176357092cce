// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/gui/icons.h"

#include "model/data_paths.h"
#include "ui/text.h"

namespace radioprog {

QIcon LoadIconFile(std::initializer_list<std::string> names) {
    for (const std::string& name : names) {
        std::string path = FindDataFile({name});
        if (path.empty()) continue;
        QIcon icon(Q(path));
        if (!icon.isNull()) return icon;
    }
    return {};
}

QIcon LoadSizedIcon(const std::string& name, const QIcon& fallback) {
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        const std::string path = FindDataFile({"icons/" + name + "-" + std::to_string(size) + ".png"});
        if (!path.empty()) icon.addFile(Q(path), QSize(size, size));
    }
    return icon.isNull() ? fallback : icon;
}

}  // namespace radioprog
