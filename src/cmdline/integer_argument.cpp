// SPDX-License-Identifier: GPL-3.0-or-later
#include "cmdline/integer_argument.h"

#include <charconv>

namespace radioprog::cmdline {

std::optional<int> IntegerArgument(std::string_view text, int low, int high) {
    int value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < low || value > high) return std::nullopt;
    return value;
}

std::string IntegerArgumentError(std::string_view option, std::string_view text, int low, int high,
                                 std::string_view noun) {
    return std::string(option) + " wants a " + std::string(noun) + " from " + std::to_string(low) + " to " +
           std::to_string(high) + ", not '" + std::string(text) + "'";
}

}  // namespace radioprog::cmdline
