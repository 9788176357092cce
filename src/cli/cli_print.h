// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every text radioprog-cli prints passes here, so one rule decides what reaches the terminal:
// texts from files (language texts, CSV cells, file names) may carry control characters or
// bytes that are not UTF-8, which TerminalText shows as \xNN. Image bytes written as output
// and the progress bar's own drawing are not texts and do not pass here.
#include <string_view>

namespace radioprog::cli {

void PrintOut(std::string_view text);
void PrintErr(std::string_view text);
// Standard output, flushed; where it is broken (its reader went away), standard error, so a
// transfer's results still reach the user.
void PrintOutOrErr(std::string_view text);

}  // namespace radioprog::cli
