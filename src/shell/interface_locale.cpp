// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/interface_locale.h"

#include <array>

namespace radioprog {

std::string InterfaceLocale(int languageIndex) {
    static const std::array<const char*, 2> kLocales = {"zh_CN", "zh_TW"};
    if (languageIndex < 0 || languageIndex >= static_cast<int>(kLocales.size())) return {};
    return kLocales[static_cast<std::size_t>(languageIndex)];
}

}  // namespace radioprog
