// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The reasons a file could not be read, shared by every reader of files.

namespace radioprog {

// Why a file was not read, so that each reason gets its own message in the user's language.
enum class ReadFailure { None, Open, NotRegular, TooLarge, Read, NoMemory };

}  // namespace radioprog
