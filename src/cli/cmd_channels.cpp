// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli channels FILE: the channel table as the channel grid shows it.
#include <string>

#include "cli/cli_language.h"
#include "cli/cli_print.h"
#include "cli/command.h"
#include "cli/image_file.h"
#include "model/language_table.h"
#include "radio/channel_cells.h"

namespace radioprog::cli {
namespace {

void PrintRow(const ChannelRow& row) {
    std::string line;
    for (std::size_t c = 0; c < row.size(); ++c) line += (c ? "," : "") + row[c];
    PrintOut(line + "\n");
}

int RunChannels(const cmdline::Arguments& args) {
    int status = kExitOk;
    if (!CheckArgumentCount("channels", args, 1, 1, "exactly one FILE", status)) return status;
    RadioImage image;
    if (status = LoadImageFile(args.positional()[0], image); status != kExitOk) return status;
    LanguageTable language;
    LoadCliLanguage(language, true);

    ChannelRow header;
    for (int c = 0; c < kChannelColumnCount; ++c)
        header[static_cast<std::size_t>(c)] = language.row(ChannelHeaderRows()[static_cast<std::size_t>(c)]);
    PrintRow(header);
    for (int n = 0; n < kChannelCount; ++n) PrintRow(ChannelToRow(image, language, n));
    return kExitOk;
}

const CommandRegistration kRegistration{{
    "channels",
    "channels FILE",
    "print the channel table of a .dat file as comma-separated lines",
    "Prints the channel table of FILE as the channel grid shows it: a header line\n"
    "with the 12 column headers, then one line per channel 0-127 with its 12 cell\n"
    "texts, all joined by commas. Texts come from the language file (lang.csv, else\n"
    "language.csv, in the current directory, beside the program, or in the installed\n"
    "data directory). FILE \"-\" reads the .dat file from standard input.\n",
    {},
    {},
    RunChannels,
}};

}  // namespace
}  // namespace radioprog::cli
