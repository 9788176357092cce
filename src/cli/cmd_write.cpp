// radioprog-cli write FILE: writes a .dat file into the radio, or into several radios at once.
#include <iostream>

#include "cli/command.h"
#include "cli/fleet_cli.h"
#include "cli/image_file.h"
#include "cli/transfer_cli.h"
#include "link/comm_task.h"

namespace radioprog::cli {
namespace {

int RunWrite(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    WriteExtras extras;
    if (int status = TakeWriteExtras(args, extras); status != kExitOk) return status;
    TransferArgs parsed;
    if (int status = ParseTransferArgs("write", args, parsed); status != kExitOk) return status;

    RadioImage image;
    if (int status = LoadImageFile(parsed.file, image); status != kExitOk) return status;
    if (extras.several()) return WriteSeveral(parsed, extras, image);
    if (parsed.port) image.setPort(*parsed.port);
    CliReports reports;
    CCommTask task(TransferPorts(parsed));
    if (int status = ApplyTrace(parsed, task); status != kExitOk) return status;
    task.SetOptions({std::nullopt, extras.verify});
    task.Setup(&reports, image);
    task.SetMode(TransferMode::Write);
    task.Run();
    return ReportTransferFailure(reports, extras.verify ? &image : nullptr);
}

const CommandRegistration kRegistration{{
    "write",
    "write FILE [--verify] [--port N | --port N,M,... | --all] [--device PATH] [--trace FILE]",
    "write FILE into the radio (or several radios at once), after checking its frequencies",
    std::string("Loads FILE as File Open does, finds the radio (the port stored in FILE first, or\n"
                "the one given by --port, then COM1-COM20), reads the radio's band limits and\n"
                "writes the memory only when every frequency lies within them; otherwise the\n"
                "refusal is printed and nothing is written. FILE is not changed.\n\n"
                "--verify reads back every block written after the last unit and lists each\n"
                "channel or setting the radio holds differently from FILE (exit status 7).\n\n"
                "Several radios at once:\n"
                "  --port N,M,...  write FILE to the radios on these ports in parallel, one worker\n"
                "                  per port, without a scan; a radio that fails never stops the\n"
                "                  others\n"
                "  --all           the same for every port where a radio answers\n"
                "Each radio gets its own band check, retries and result line (\"COM2: Write\n"
                "failed at CH 40\"); a summary line follows.\n\n") +
        kTransferOptionsHelp,
    RunWrite,
}};

}  // namespace
}  // namespace radioprog::cli
