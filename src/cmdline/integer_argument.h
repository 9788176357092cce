// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A command-line argument that is a whole number in a range (a port, a channel, a column),
// and the one wording every program uses to refuse one.
#include <optional>
#include <string>
#include <string_view>

namespace radioprog::cmdline {

// The whole of text as a decimal number from low to high. Nothing for anything else: an empty
// text, spaces, a '+', trailing characters, a number out of range or too big for an int.
std::optional<int> IntegerArgument(std::string_view text, int low, int high);

// "--port wants a number from 1 to 20, not 'x'"; noun replaces "number" ("a channel").
std::string IntegerArgumentError(std::string_view option, std::string_view text, int low, int high,
                                 std::string_view noun = "number");

}  // namespace radioprog::cmdline
