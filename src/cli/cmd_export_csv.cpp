// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli export-csv FILE.dat OUT.csv: the channels in use as a CSV file.
#include <iostream>

#include "cli/command.h"
#include "cli/image_file.h"
#include "cli/whole_file.h"
#include "editors/channel_csv.h"

namespace radioprog::cli {
namespace {

int RunExportCsv(const cmdline::Arguments& args) {
    int status = kExitOk;
    if (!CheckArgumentCount("export-csv", args, 2, 2, "FILE.dat and OUT.csv", status)) return status;
    const std::vector<std::string>& files = args.positional();
    RadioImage image;
    if (status = LoadImageFile(files[0], image); status != kExitOk) return status;
    return WriteWholeOutput(files[1], ExportChannelsCsv(image));
}

const CommandRegistration kRegistration{{
    "export-csv",
    "export-csv FILE.dat OUT.csv",
    "write a .dat file's channels as CSV for spreadsheets and other programs",
    "Writes the channels in use of FILE.dat to OUT.csv, one line per channel after a\n"
    "header line, in the column layout of open-source radio programming software:\n"
    "Location (channel 0-127), Name, Frequency (MHz), Duplex (\"\", +, -, split, off),\n"
    "Offset, Tone (\"\", Tone, TSQL, DTCS, Cross), rToneFreq, cToneFreq, DtcsCode,\n"
    "DtcsPolarity, RxDtcsCode, CrossMode, Mode (FM wide, NFM narrow), TStep, Skip (S:\n"
    "not scanned), Power (5.0W High, 1.0W Low), Comment, URCALL, RPT1CALL, RPT2CALL,\n"
    "DVCODE, and two columns of radioprog: BusyLock (Yes, No) and Signal (optional\n"
    "signalling 1-15). FILE.dat \"-\" reads standard input, OUT.csv \"-\" writes to\n"
    "standard output. OUT.csv is replaced only once the whole new file is written.\n",
    {},
    {},
    RunExportCsv,
}};

}  // namespace
}  // namespace radioprog::cli
