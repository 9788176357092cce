// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts printed to a terminal. Control characters from files (CSV cells, language-file texts,
// file names) are written as \xNN, so a stray ESC, BEL or NUL cannot drive the terminal. Our
// texts are UTF-8; where the locale's character set is not, the few non-ASCII signs the
// programs print themselves ("→" between an old and a new value) are written in ASCII ("->"),
// so they never show as garbage. Data written as output (exported CSV, images) is never passed
// through here.
#include <string>
#include <string_view>

namespace radioprog {

// True when the locale named by LC_ALL, else LC_CTYPE, else LANG (the first one set and not
// empty) has UTF-8 as its character set ("en_GB.UTF-8", "C.utf8"); false for "C", "POSIX",
// none, or another set ("zh_CN.GB18030").
bool LocaleIsUtf8(const char* lcAll, const char* lcCtype, const char* lang);
// The same for this process's environment.
bool LocaleIsUtf8();

// text with the signs that have an ASCII spelling replaced by it ("→" "->", "…" "...",
// "©" "(C)", dashes "-"); other characters are kept as they are.
std::string AsciiSpelling(std::string_view text);

// Keeps line breaks, tabs and every printable character (UTF-8 included); writes the other C0
// controls, DEL, the C1 controls (U+0080 ... U+009F) and every byte that is not part of
// well-formed UTF-8 as \xNN, one per byte.
std::string EscapeControls(std::string_view text);

// text as this process prints it: control characters escaped, and in a locale that is not
// UTF-8 the signs spelled in ASCII.
std::string TerminalText(std::string_view text);

}  // namespace radioprog
