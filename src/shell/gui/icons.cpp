#include "shell/gui/icons.h"

#include "model/data_paths.h"
#include "shell/gui/text.h"

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

}  // namespace radioprog
