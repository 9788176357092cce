// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the message dialog sets its text: the font size follows the length, and a text too
// wide for the dialog is split into two lines near its 23rd byte. Lengths count as the
// double-byte code page did (design: 1 per ASCII character, 2 per other character).
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace radioprog {

// 19 points up to 12 bytes, 16 up to 25, else 12.
int MessageFontPoints(const std::string& message);

// Whether the message is drawn on two lines: only when it does not fit (x < 0) and holds
// 24 bytes or more.
bool MessageNeedsSplit(const std::string& message, bool fitsOnOneLine);

// Where the first line ends, as a UTF-8 byte index: 23 code-page bytes, 22 when byte 22 is a
// space, 24 when byte 23 is, 25 when byte 24 is; moved back to a character boundary.
std::size_t MessageSplitIndex(const std::string& message);

// Whether splitting the message at this UTF-8 byte index keeps numbers and words whole: the
// split lies at a space or beside a character outside ASCII.
bool MessageSplitIsClean(const std::string& message, std::size_t split);

// A message too long for that layout wraps instead: into lines no wider than maxWidth (as
// width() measures a line), broken only after a space or beside a character outside ASCII (a
// Chinese text breaks between any two characters), never inside a number or a word. A piece
// that cannot be broken and is wider than maxWidth gets a line of its own. The spaces at a
// break are dropped.
std::vector<std::string> WrapMessage(const std::string& message, int maxWidth,
                                     const std::function<int(const std::string&)>& width);

}  // namespace radioprog
