// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/interface_locale.h"

#include <array>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <vector>

#include "model/language_table.h"

namespace radioprog {

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// A locale name's language, territory and script: "zh_TW.UTF-8@stroke" is zh, TW; a
// LANGUAGE entry may also be "zh_Hant" or "zh-TW".
std::optional<int> ColumnOfLocale(std::string_view name) {
    name = name.substr(0, name.find_first_of(".@"));
    const std::size_t split = name.find_first_of("_-");
    const std::string_view language = name.substr(0, split);
    const std::string_view rest = split == std::string_view::npos ? std::string_view() : name.substr(split + 1);
    constexpr int kSimplified = 0, kTraditional = 1, kEnglish = 2;
    if (language == "en") return kEnglish;
    if (language != "zh") return std::nullopt;
    const std::string_view region = rest.substr(0, rest.find_first_of("_-"));
    for (std::string_view traditional : {"TW", "HK", "MO", "Hant"})
        if (region == traditional) return kTraditional;
    return kSimplified;
}

}  // namespace

std::string InterfaceLocale(int languageIndex) {
    static const std::array<const char*, 2> kLocales = {"zh_CN", "zh_TW"};
    if (languageIndex < 0 || languageIndex >= static_cast<int>(kLocales.size())) return {};
    return kLocales[static_cast<std::size_t>(languageIndex)];
}

LocaleEnvironment ProcessLocaleEnvironment() {
    return {Env("LANGUAGE"), Env("LC_ALL"), Env("LC_MESSAGES"), Env("LANG")};
}

int StartLanguageIndex(const LocaleEnvironment& environment, int columnCount) {
    const std::string& locale = !environment.lcAll.empty()        ? environment.lcAll
                                : !environment.lcMessages.empty() ? environment.lcMessages
                                                                  : environment.lang;
    const std::string_view base = std::string_view(locale).substr(0, locale.find_first_of(".@"));
    // The C locale shows untranslated texts, whatever LANGUAGE says.
    if (locale.empty() || base == "C" || base == "POSIX") return DefaultLanguageIndex();
    std::vector<std::string_view> wanted;
    for (std::string_view list = environment.language; !list.empty();) {
        const std::size_t colon = list.find(':');
        if (colon != 0) wanted.push_back(list.substr(0, colon));
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
    wanted.push_back(locale);
    for (std::string_view name : wanted)
        if (const std::optional<int> column = ColumnOfLocale(name); column && *column < columnCount) return *column;
    return DefaultLanguageIndex();
}

}  // namespace radioprog
