// radioprog-cli write FILE: writes a .dat file into the radio.
#include <iostream>

#include "cli/command.h"
#include "cli/image_file.h"
#include "cli/transfer_cli.h"
#include "link/comm_task.h"

namespace radioprog::cli {
namespace {

int RunWrite(const cmdline::Arguments& args) {
    TransferArgs parsed;
    if (int status = ParseTransferArgs("write", args, parsed); status != kExitOk) return status;

    RadioImage image;
    if (int status = LoadImageFile(parsed.file, image); status != kExitOk) return status;
    if (parsed.port) image.setPort(*parsed.port);
    CliReports reports;
    CCommTask task(TransferPorts(parsed));
    if (int status = ApplyTrace(parsed, task); status != kExitOk) return status;
    task.Setup(&reports, image);
    task.SetMode(TransferMode::Write);
    task.Run();
    return ReportTransferFailure(reports);
}

const CommandRegistration kRegistration{{
    "write",
    "write FILE [--port N] [--device PATH] [--trace FILE]",
    "write FILE into the radio, after checking its frequencies against the radio's bands",
    std::string("Loads FILE as File Open does, finds the radio (the port stored in FILE first, or\n"
                "the one given by --port, then COM1-COM20), reads the radio's band limits and\n"
                "writes the memory only when every frequency lies within them; otherwise the\n"
                "refusal is printed and nothing is written. FILE is not changed; \"-\" reads it from\n"
                "standard input.\n\n") +
        kTransferPortsHelp,
    TransferOptions(),
    {kExitNoRadio, kExitWriteFailed, kExitBandRefused},
    RunWrite,
}};

}  // namespace
}  // namespace radioprog::cli
