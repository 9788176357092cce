// radioprog-cli diff A.dat B.dat: what differs between two memory images, in words.
#include <iostream>

#include "cli/command.h"
#include "cli/image_file.h"
#include "cli/transfer_cli.h"
#include "compare/image_diff.h"

namespace radioprog::cli {
namespace {

constexpr int kExitDiffer = 1;

int RunDiff(const std::vector<std::string>& args) {
    for (const std::string& arg : args)
        if (arg.size() > 1 && arg[0] == '-') return UsageError("diff: unknown option " + arg);
    if (args.size() != 2) return UsageError("diff: expected two files, A.dat B.dat");
    RadioImage before, after;
    if (int status = LoadImageFile(args[0], before); status != kExitOk) return status;
    if (int status = LoadImageFile(args[1], after); status != kExitOk) return status;
    const LanguageTable language = TransferLanguage();
    std::vector<ImageDifference> differences = CompareImages(before, after, language);
    for (const ImageDifference& difference : differences) std::cout << DifferenceText(difference, language) << "\n";
    return differences.empty() ? kExitOk : kExitDiffer;
}

const CommandRegistration kRegistration{{
    "diff",
    "diff A.dat B.dat",
    "list every channel and setting that differs between two files, in words",
    "Prints one line per difference from A to B, in the words and values the editors show:\n"
    "  CH 9 RX Freq 145.35000 \xE2\x86\x92 146.52000\n"
    "Channels are numbered as the channel table numbers them (0-127). Bytes that differ\n"
    "without changing anything shown are listed with their radio address. The port number\n"
    "and the band limits are not compared.\n\n"
    "Exit status: 0 the files are equal (nothing printed), 1 they differ, 2 usage or file\n"
    "error.\n",
    RunDiff,
}};

}  // namespace
}  // namespace radioprog::cli
