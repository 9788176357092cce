// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text from files (CSV cells, language-file texts, file names) shown on a terminal: control
// characters are written as \xNN, so a stray ESC, BEL or NUL cannot drive the terminal.
#include <string>
#include <string_view>

namespace radioprog::cmdline {

// Keeps line breaks, tabs and every printable character (UTF-8 included); writes the other C0
// controls, DEL and the C1 controls (U+0080 ... U+009F) as \xNN, one per byte.
std::string TerminalText(std::string_view text);

}  // namespace radioprog::cmdline
