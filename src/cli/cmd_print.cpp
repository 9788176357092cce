// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli print FILE --pdf OUT.pdf: the three printed pages of a .dat file as a PDF.
#ifdef RADIOPROG_CLI_WITH_PRINT

#include <cstdlib>
#include <optional>

#include "cli/cli_language.h"
#include "cli/command.h"
#include "cli/image_file.h"
#include "cli/printout_pdf.h"
#include "cli/whole_file.h"
#include "cmdline/integer_argument.h"
#include "print/print_data.h"

namespace radioprog::cli {
namespace {

struct PrintArgs {
    std::string file;
    std::string pdf;
    std::optional<int> language;
};

// FILE --pdf OUT [--language N]; an error message when the arguments don't fit.
std::string ParsePrintArgs(const cmdline::Arguments& args, PrintArgs& parsed) {
    if (args.positional().size() != 1) return "expected exactly one FILE";
    parsed.file = args.positional()[0];
    parsed.pdf = args.value("pdf");
    if (parsed.pdf.empty()) return "expected --pdf OUT.pdf";
    if (args.isSet("language")) {
        const std::string value = args.value("language");
        parsed.language = cmdline::IntegerArgument(value, 0, kLanguageNameCount - 1);
        if (!parsed.language)
            return cmdline::IntegerArgumentError("--language", value, 0, kLanguageNameCount - 1, "column");
    }
    return {};
}

int RunPrint(const cmdline::Arguments& args) {
    PrintArgs parsed;
    if (std::string error = ParsePrintArgs(args, parsed); !error.empty()) return CommandUsageError("print", error);
    RadioImage image;
    if (int status = LoadImageFile(parsed.file, image); status != kExitOk) return status;

    LanguageTable language;
    if (parsed.language) language.index = *parsed.language;
    const std::string languageFile = LoadCliLanguage(language, !parsed.language);
    if (parsed.language && !languageFile.empty() && *parsed.language >= language.nameCount())
        return CommandUsageError(
            "print", "the language file " + languageFile + " has no column " + std::to_string(*parsed.language));

    // The PDF is drawn in memory and then written as a whole, so a failed print leaves an
    // earlier OUT.pdf as it was.
    std::string pdf, error;
    if (!DrawPrintoutPdf(PrintDataFromImage(image, language), language.row(lang_row::kTitle), pdf, error))
        return UsageError("print: " + (error.empty() ? "cannot draw the pages of " + parsed.file : error));
    return WriteWholeOutput(parsed.pdf, pdf);
}

const CommandRegistration kRegistration{{
    "print",
    "print FILE --pdf OUT.pdf [--language N]",
    "write the three printed pages of a .dat file to a PDF",
    "Writes the printout of FILE to OUT.pdf (A4): pages 1 and 2 hold the channel\n"
    "table as the channel grid shows it, page 3 the optional-function settings as the\n"
    "optional-functions editor shows them after opening FILE. Texts come from the\n"
    "language file; --language N uses its column N (0 = the first) instead of the\n"
    "default column. FILE \"-\" reads standard input, --pdf - writes the PDF to\n"
    "standard output.\n",
    {
        {{"pdf"}, "OUT.pdf", "the PDF file to write (replaced only once it is complete)"},
        {{"language"}, "N", "the language file's column N (0 = the first)"},
    },
    {},
    RunPrint,
}};

}  // namespace
}  // namespace radioprog::cli

#endif  // RADIOPROG_CLI_WITH_PRINT
