// radioprog-cli import-csv FILE.dat IN.csv [--out NEW.dat]: channels from a CSV file.
#include <iostream>

#include "cli/command.h"
#include "cli/image_file.h"
#include "cli/whole_file.h"
#include "editors/channel_csv.h"
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
    if (out.empty()) return UsageError("import-csv: --out needs a file name");
    if (datFile == kStandardStream && csvFile == kStandardStream)
        return UsageError("import-csv: only one of FILE.dat and IN.csv can be standard input");

    RadioImage image;
    if (status = LoadImageFile(datFile, image); status != kExitOk) return status;
    std::string text;
    if (status = ReadWholeInput(csvFile, text); status != kExitOk) return status;

    CsvImportReport report = ImportChannelsCsv(image, text);
    // Report lines in the built-in English, whatever language file lies around.
    const LanguageTable english;
    const std::string source = InputName(csvFile);
    if (!report.headerOk) return UsageError(source + ": " + CsvProblemText(report.problems.front(), english));
    for (const CsvProblem& problem : report.problems) std::cerr << source << ": " << CsvProblemText(problem, english) << "\n";
    // Nothing stored: the file stays as it was, and a script learns it from the exit status.
    if (!report.channels.empty())
        if (status = SaveImageFile(image, out); status != kExitOk) return status;
    std::cerr << english.row(lang_row::kChannelsImported) << " " << report.channels.size() << "\n";
    return report.channels.empty() ? kExitNothingImported : kExitOk;
}

const CommandRegistration kRegistration{{
    "import-csv",
    "import-csv FILE.dat IN.csv [--out NEW.dat]",
    "store the channels of a CSV file into a .dat file",
    "Reads the channels of IN.csv (the layout export-csv writes; comma, tab or semicolon\n"
    "separated, columns found by their header names, unknown ones ignored) into the image\n"
    "of FILE.dat and writes the result to NEW.dat, or back to FILE.dat without --out.\n"
    "Each row replaces the channel its Location names (rows go to channels 0, 1, ... when\n"
    "there is no Location column); channels the file does not name are kept. A row with a\n"
    "value the radio cannot store (a frequency outside 136-520 MHz or off the 5/6.25 kHz\n"
    "raster, an unknown tone, ...) is skipped and reported on stderr with its line number.\n"
    "When no row can be stored, nothing is written. \"-\" as FILE.dat or IN.csv reads\n"
    "standard input, --out - writes to standard output.\n",
    {
        {{"o", "out"}, "NEW.dat", "write the result to NEW.dat instead of FILE.dat"},
    },
    {kExitNothingImported},
    RunImportCsv,
}};

}  // namespace
}  // namespace radioprog::cli
