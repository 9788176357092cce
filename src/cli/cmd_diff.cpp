// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli diff A.dat B.dat: what differs between two memory images, in words.

#include "cli/cli_print.h"
#include "cli/command.h"
#include "cli/image_file.h"
#include "cli/transfer_cli.h"
#include "cli/whole_file.h"
#include "compare/image_diff.h"

namespace radioprog::cli {
namespace {

int RunDiff(const cmdline::Arguments& args) {
    int status = kExitOk;
    if (!CheckArgumentCount("diff", args, 2, 2, "two files, A.dat B.dat", status)) return status;
    const std::vector<std::string>& files = args.positional();
    if (files[0] == kStandardStream && files[1] == kStandardStream)
        return CommandUsageError("diff", "only one of A.dat and B.dat can be standard input");
    RadioImage before, after;
    if (status = LoadImageFile(files[0], before); status != kExitOk) return status;
    if (status = LoadImageFile(files[1], after); status != kExitOk) return status;
    const LanguageTable language = TransferLanguage();
    std::vector<ImageDifference> differences = CompareImages(before, after, language);
    for (const ImageDifference& difference : differences) PrintOut(DifferenceText(difference, language) + "\n");
    return differences.empty() ? kExitOk : kExitDiffers;
}

const CommandRegistration kRegistration{{
    "diff",
    "diff A.dat B.dat",
    "list every channel and setting that differs between two files, in words",
    "Prints one line per difference from A to B, in the words and values the editors\n"
    "show:\n"
    "  CH 9 RX Freq 145.35000 \xE2\x86\x92 146.52000\n"
    "Channels are numbered as the channel table numbers them (0-127). Bytes that\n"
    "differ without changing anything shown are listed with their radio address. The\n"
    "port number and the band limits are not compared. Either file may be \"-\",\n"
    "standard input.\n",
    {},
    {kExitDiffers},
    RunDiff,
}};

}  // namespace
}  // namespace radioprog::cli
