// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a screen reader says for a cell of the channel table: the channel, the column and the
// value ("Channel 5, RX Freq, 145.50000"), so moving the current cell tells where it is.
#include <string>

#include "model/language_table.h"

namespace radioprog {

// channel: the number the table shows (0-127); an empty value is said as empty.
std::string CellSpeech(const LanguageTable& language, int channel, const std::string& columnHeader,
                       const std::string& value);

}  // namespace radioprog
