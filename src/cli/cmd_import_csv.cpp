// radioprog-cli import-csv FILE.dat IN.csv [--out NEW.dat]: channels from a CSV file.
#include <iostream>

#include "cli/command.h"
#include "cli/image_file.h"
#include "editors/channel_csv.h"
#include "model/dat_file.h"
#include "model/language_table.h"

namespace radioprog::cli {
namespace {

int RunImportCsv(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    std::string out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--out") {
            if (i + 1 >= args.size() || !out.empty()) return UsageError("import-csv: --out needs one NEW.dat");
            out = args[++i];
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2) return UsageError("import-csv: expected FILE.dat and IN.csv");
    if (out.empty()) out = files[0];

    RadioImage image;
    if (int status = LoadImageFile(files[0], image); status != kExitOk) return status;
    std::string text, error;
    if (!ReadTextFile(files[1], text, error)) return UsageError(error);

    CsvImportReport report = ImportChannelsCsv(image, text);
    // Report lines in the built-in English, whatever language file lies around.
    const LanguageTable english;
    if (!report.headerOk) return UsageError(files[1] + ": " + CsvProblemText(report.problems.front(), english));
    for (const CsvProblem& problem : report.problems) std::cerr << files[1] << ": " << CsvProblemText(problem, english) << "\n";

    FileResult saved = SaveDatFile(image, out);
    if (!saved.ok) return UsageError(saved.error);
    std::cerr << english.row(lang_row::kChannelsImported) << " " << report.channels.size() << "\n";
    return kExitOk;
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
    "Exit status 0 when the file was written, 2 for usage errors, unreadable files or a\n"
    "CSV file without a Frequency column.\n",
    RunImportCsv,
}};

}  // namespace
}  // namespace radioprog::cli
