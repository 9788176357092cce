// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli import-csv FILE.dat IN.csv [--out NEW.dat]: channels from a CSV file.
#include <optional>

#include "cli/cli_print.h"
#include "cli/command.h"
#include "cli/image_file.h"
#include "cli/whole_file.h"
#include "cmdline/integer_argument.h"
#include "editors/channel_csv.h"
#include "model/channel_record.h"
#include "model/language_table.h"

namespace radioprog::cli {
namespace {

int RunImportCsv(const cmdline::Arguments& args) {
    int status = kExitOk;
    if (!CheckArgumentCount("import-csv", args, 2, 2, "FILE.dat and IN.csv", status)) return status;
    const std::string& datFile = args.positional()[0];
    const std::string& csvFile = args.positional()[1];
    const bool outGiven = args.isSet("out");
    const std::string out = outGiven ? args.value("out") : datFile;
    if (out.empty()) return CommandUsageError("import-csv", "--out needs a file name");
    if (datFile == kStandardStream && csvFile == kStandardStream)
        return CommandUsageError("import-csv", "only one of FILE.dat and IN.csv can be standard input");
    CsvImportOptions options;
    options.strictBands = args.isSet("strict-bands");
    if (args.isSet("from")) {
        const std::string from = args.value("from");
        const std::optional<int> channel = cmdline::IntegerArgument(from, 0, kChannelCount - 1);
        if (!channel)
            return CommandUsageError("import-csv",
                                     cmdline::IntegerArgumentError("--from", from, 0, kChannelCount - 1, "channel"));
        options.firstChannel = *channel;
    }

    RadioImage image;
    if (status = LoadImageFile(datFile, image); status != kExitOk) return status;
    std::string text;
    if (status = ReadWholeInput(csvFile, text); status != kExitOk) return status;

    CsvImportReport report = ImportChannelsCsv(image, text, options);
    // Report lines in the built-in English, whatever language file lies around.
    const LanguageTable english;
    const std::string source = InputName(csvFile);
    if (!report.headerOk) return UsageError(source + ": " + CsvProblemText(report.problems.front(), english));
    for (const CsvProblem& problem : report.problems) PrintErr(source + ": " + CsvProblemText(problem, english) + "\n");
    // Nothing stored: the file stays as it was, and a script learns it from the exit status.
    if (!report.channels.empty())
        if (status = SaveImageFile(image, out); status != kExitOk) return status;
    PrintErr(english.row(lang_row::kChannelsImported) + " " + std::to_string(report.channels.size()) + "\n");
    return report.channels.empty() ? kExitNothingImported : kExitOk;
}

const CommandRegistration kRegistration{{
    "import-csv",
    "import-csv FILE.dat IN.csv [--out NEW.dat] [--from N] [--strict-bands]",
    "store the channels of a CSV file into a .dat file",
    "Reads the channels of IN.csv (the layout export-csv writes; comma, tab or\n"
    "semicolon separated, columns found by their header names, unknown ones ignored)\n"
    "into the image of FILE.dat and writes the result to NEW.dat, or back to FILE.dat\n"
    "without --out. Each row replaces the channel its Location names; with --from N,\n"
    "or without a Location column (from channel 0), the rows go to channels N, N+1,\n"
    "... in file order and rows beyond channel 127 are reported. Channels the file\n"
    "does not name are kept. A row with a value the radio cannot store (a frequency\n"
    "outside 136-520 MHz or off the 5/6.25 kHz raster, an unknown tone, ...) is\n"
    "skipped and reported on stderr with its line number. Power may be High/Low or\n"
    "watts (2.3 W and more is High). A frequency between the usual bands 136-174 and\n"
    "400-520 MHz is stored with a warning (the radio refuses the write if its bands\n"
    "exclude it). When no row can be stored, nothing is written. \"-\" as FILE.dat or\n"
    "IN.csv reads standard input, --out - writes to standard output.\n",
    {
        {{"o", "out"}, "NEW.dat", "write the result to NEW.dat instead of FILE.dat"},
        {{"from"}, "N", "place the rows in file order from channel N (0-127),\nignoring their Location"},
        {{"strict-bands"},
         "",
         "skip rows with a frequency between the usual bands\ninstead of storing them with a warning"},
    },
    {kExitNothingImported},
    RunImportCsv,
}};

}  // namespace
}  // namespace radioprog::cli
