// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text Windows gives for one of its error codes, without the line break it ends with.
#include <string>

namespace radioprog {

std::string SystemErrorText(unsigned long code);

}  // namespace radioprog
