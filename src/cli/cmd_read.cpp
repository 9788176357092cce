// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli read FILE: reads the whole memory of the radio into a .dat file.
#include "cli/cli_print.h"
#include "cli/command.h"
#include "cli/image_file.h"
#include "cli/transfer_cli.h"
#include "link/comm_task.h"
#include "radio/new_image.h"

namespace radioprog::cli {
namespace {

int RunRead(const cmdline::Arguments& args) {
    const bool verify = args.isSet("verify");
    TransferArgs parsed;
    if (int status = ParseTransferArgs("read", args, parsed); status != kExitOk) return status;
    // Reading takes seconds: a FILE the save would refuse fails now, not after the read.
    if (int status = CheckImageDestination(parsed.file); status != kExitOk) return status;

    RadioImage image;
    WriteNewImage(image);
    image.setPort(parsed.port.value_or(1));
    CliReports reports;
    CCommTask task(TransferPorts(parsed));
    std::shared_ptr<TransferTrace> trace;
    if (int status = ApplyTrace(parsed, task, trace); status != kExitOk) return status;
    task.setOptions({std::nullopt, verify});
    task.Setup(&reports, image);
    task.SetMode(TransferMode::Read);
    CancelOnSignals stopper(task);
    task.Run();
    WarnIfTraceLost(trace);

    // Stopped by the user: FILE stays as it was, even when the last block had arrived.
    if (stopper.caught() != 0) {
        ReportTransferFailure(reports);
        if (reports.readImage()) PrintErr("radioprog-cli: stopped; " + parsed.file + " was not written\n");
        return SignalExitStatus(stopper.caught());
    }
    if (int status = ReportTransferFailure(reports); status != kExitOk) return status;
    if (!reports.readImage()) return ReportTransferFailure(reports);
    return SaveImageFile(*reports.readImage(), parsed.file);
}

const CommandRegistration kRegistration{{
    "read",
    "read FILE [--verify] [--port N] [--device PATH] [--trace FILE]",
    "read the radio's memory into FILE",
    std::string("Finds the radio (the port given by --port first, default COM1, then COM1-COM20),\n"
                "reads its whole memory and writes it to FILE as a .dat file of 5592 bytes; its\n"
                "port number is the port where the radio answered. FILE is used as given. When\n"
                "the read fails or is stopped (Ctrl+C), FILE is neither created nor changed. FILE\n"
                "\"-\" writes the image to standard output.\n\n"
                "--verify reads every block twice; when the two readings differ, a third time,\n"
                "keeping the reading two of the three agree on. When none agree the read fails\n"
                "(exit status 4) naming the block.\n\n") +
        kTransferPortsHelp + kPortNumberingHelp,
    TransferOptions(),
    {kExitNoRadio, kExitReadFailed, kExitHungUp, kExitInterrupted, kExitBrokenPipe, kExitTerminated},
    RunRead,
}};

}  // namespace
}  // namespace radioprog::cli
