// radioprog-cli print FILE --pdf OUT.pdf: the three printed pages of a .dat file as a PDF.
#ifdef RADIOPROG_CLI_WITH_GUI

#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <cstdlib>
#include <optional>

#include "cli/cli_language.h"
#include "cli/command.h"
#include "cli/image_file.h"
#include "print/gui/page_painter.h"
#include "print/print_data.h"

namespace radioprog::cli {
namespace {

struct PrintArgs {
    std::string file;
    std::string pdf;
    std::optional<int> language;
};

// Parses FILE --pdf OUT [--language N]; an error message when the arguments don't fit.
std::string ParsePrintArgs(const std::vector<std::string>& args, PrintArgs& parsed) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--pdf" || arg == "--language") {
            if (i + 1 >= args.size()) return arg + " needs a value";
            const std::string& value = args[++i];
            if (arg == "--pdf") {
                parsed.pdf = value;
                continue;
            }
            char* end = nullptr;
            long column = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0' || column < 0 || column >= kLanguageNameCount)
                return "--language expects a column number from 0 to " + std::to_string(kLanguageNameCount - 1);
            parsed.language = static_cast<int>(column);
        } else if (!arg.empty() && arg[0] == '-') {
            return "unknown option '" + arg + "'";
        } else if (parsed.file.empty()) {
            parsed.file = arg;
        } else {
            return "expected exactly one FILE";
        }
    }
    if (parsed.file.empty()) return "expected a FILE";
    if (parsed.pdf.empty()) return "expected --pdf OUT.pdf";
    return {};
}

int RunPrint(const std::vector<std::string>& args) {
    PrintArgs parsed;
    if (std::string error = ParsePrintArgs(args, parsed); !error.empty()) return UsageError("print: " + error);
    RadioImage image;
    if (int status = LoadImageFile(parsed.file, image); status != kExitOk) return status;

    LanguageTable language;
    if (parsed.language) language.index = *parsed.language;
    const std::string languageFile = LoadCliLanguage(language, !parsed.language);
    if (parsed.language && !languageFile.empty() && *parsed.language >= language.nameCount())
        return UsageError("print: the language file " + languageFile + " has no column " +
                          std::to_string(*parsed.language));

    // Drawing needs Qt's fonts but no screen.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "radioprog-cli";
    static char* argv[] = {name, nullptr};
    std::optional<QGuiApplication> app;
    if (QCoreApplication::instance() == nullptr) app.emplace(argc, argv);

    QPdfWriter writer(QString::fromStdString(parsed.pdf));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                     QPageLayout::Millimeter));
    writer.setTitle(QString::fromStdString(language.row(0)));
    writer.setCreator(QStringLiteral("radioprog-cli"));
    if (!PaintPages(writer, PrintDataFromImage(image, language), {1, 2, 3}))
        return UsageError("print: cannot write " + parsed.pdf);
    return kExitOk;
}

const CommandRegistration kRegistration{{
    "print",
    "print FILE --pdf OUT.pdf [--language N]",
    "write the three printed pages of a .dat file to a PDF",
    "Writes the printout of FILE to OUT.pdf (A4): pages 1 and 2 hold the channel table as\n"
    "the channel grid shows it, page 3 the optional-function settings as the optional-\n"
    "functions editor shows them after opening FILE. Texts come from the language file;\n"
    "--language N uses its column N (0 = the first) instead of the default column.\n",
    RunPrint,
}};

}  // namespace
}  // namespace radioprog::cli

#endif  // RADIOPROG_CLI_WITH_GUI
