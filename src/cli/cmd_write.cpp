// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli write FILE: writes a .dat file into the radio, or into several radios at once.
#include <iostream>

#include "cli/command.h"
#include "cli/fleet_cli.h"
#include "cli/image_file.h"
#include "cli/transfer_cli.h"
#include "cli/whole_file.h"
#include "compare/image_diff.h"
#include "link/comm_task.h"

namespace radioprog::cli {
namespace {

// Records whose address bytes point elsewhere would be written to the wrong places of the
// radio (another block's channels overwritten): refused unless asked for by --keep-addresses.
// Records that would land over the band limits or outside the radio's memory are refused
// whatever was asked.
int CheckRecordAddresses(const std::string& file, const RadioImage& image, bool keep) {
    const LanguageTable language = TransferLanguage();
    const std::vector<ImageDifference> wrong = AddressMismatches(image, language);
    if (wrong.empty()) return kExitOk;
    std::string lines;
    for (const ImageDifference& difference : wrong) lines += "\n  " + DifferenceText(difference, language);
    if (!UnsafeRecords(image).empty())
        return UsageError("write: " + InputName(file) +
                          ": the address bytes of these records would put data over the radio's band limits or " +
                          "outside its memory, which is never done, with or without --keep-addresses; nothing was " +
                          "written (File Open in radioprog offers to repair them):" + lines);
    if (keep) return kExitOk;
    return UsageError("write: " + InputName(file) +
                      ": the address bytes of these records are not the radio's layout, so their data would land " +
                      "at other addresses, over the channels or settings kept there; nothing was written " +
                      "(--keep-addresses writes them there, for a file made that way on purpose):" + lines);
}

int RunWrite(const cmdline::Arguments& args) {
    WriteExtras extras;
    if (int status = TakeWriteExtras(args, extras); status != kExitOk) return status;
    TransferArgs parsed;
    if (int status = ParseTransferArgs("write", args, parsed, !extras.ports.empty()); status != kExitOk) return status;

    RadioImage image;
    if (int status = LoadImageFile(parsed.file, image); status != kExitOk) return status;
    if (int status = CheckRecordAddresses(parsed.file, image, args.isSet("keep-addresses")); status != kExitOk)
        return status;
    if (extras.several()) return WriteSeveral(parsed, extras, image);
    if (parsed.port) image.setPort(*parsed.port);
    CliReports reports;
    CCommTask task(TransferPorts(parsed));
    std::shared_ptr<TransferTrace> trace;
    if (int status = ApplyTrace(parsed, task, trace); status != kExitOk) return status;
    task.setOptions({std::nullopt, extras.verify});
    task.Setup(&reports, image);
    task.SetMode(TransferMode::Write);
    CancelOnSignals stopper(task);
    task.Run();
    WarnIfTraceLost(trace);
    const int status = ReportTransferFailure(reports, extras.verify ? &image : nullptr);
    // A signal that came after the last unit stopped nothing: the write is done.
    return stopper.caught() != 0 && status != kExitOk ? SignalExitStatus(stopper.caught()) : status;
}

const CommandRegistration kRegistration{{
    "write",
    "write FILE [--verify] [--keep-addresses] [--port N | --port N,M,... | --all] [--device PATH] [--trace FILE]",
    "write FILE into one radio or several, after checking its frequencies",
    std::string("Loads FILE as File Open does, finds the radio (the port stored in FILE first, or\n"
                "the one given by --port, then COM1-COM20), reads the radio's band limits and\n"
                "writes the memory only when every frequency lies within them; otherwise the\n"
                "refusal is printed and nothing is written. FILE is not changed; \"-\" reads it\n"
                "from standard input. A FILE whose record address bytes are not the radio's\n"
                "layout is refused (exit status 2) unless --keep-addresses is given; one whose\n"
                "records would land over the radio's band limits or outside its memory is always\n"
                "refused.\n\n"
                "--verify reads back every block written after the last unit and lists each\n"
                "channel or setting the radio holds differently from FILE (exit status 7).\n\n"
                "Several radios at once: --port N,M,... writes FILE to the radios on these ports\n"
                "in parallel, one worker per port, without a scan; a radio that fails never stops\n"
                "the others. --all does the same for every port where a radio answers. Each radio\n"
                "gets its own band check, retries and result line (\"COM2: Write failed at CH\n"
                "40\"); a summary line follows, and the exit status is the highest of the radios'\n"
                "codes.\n\n") +
        kTransferPortsHelp + kPortNumberingHelp,
    [] {
        std::vector<cmdline::Option> options = TransferOptions();
        options.front().valueName = "N[,M,...]";
        options.front().description =
            "the port to try first (1-20), then COM1-COM20 in order;\n"
            "a list: write to the radios on these ports";
        options.push_back({{"all"}, "", "write to every port where a radio answers"});
        options.push_back({{"keep-addresses"},
                           "",
                           "write records whose address bytes are not the radio's\n"
                           "layout to the addresses they name (refused otherwise)"});
        return options;
    }(),
    {kExitNoRadio, kExitWriteFailed, kExitBandRefused, kExitVerifyDiffers, kExitHungUp, kExitInterrupted,
     kExitBrokenPipe, kExitTerminated},
    RunWrite,
}};

}  // namespace
}  // namespace radioprog::cli
