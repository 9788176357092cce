#pragma once
// The printout as a PDF file. Painting needs Qt's GUI libraries, which no other command of
// radioprog-cli needs: they live in a plugin that only "print" loads, so every other command
// starts without them.
#include <string>

#include "print/print_data.h"

namespace radioprog::cli {

// The plugin's one entry point; false with the reason in error when the PDF cannot be written.
using WritePrintoutPdfFunction = bool (*)(const PrintData& data, const std::string& pdfPath, const std::string& title,
                                          std::string& error);
inline constexpr const char* kPrintPluginFile = "radioprog-print.so";
inline constexpr const char* kPrintPluginSymbol = "RadioprogWritePrintoutPdf";

// Loads the plugin (from the library folder beside the program, else the installed one) and
// writes the three pages (A4) to pdfPath.
bool WritePrintoutPdf(const PrintData& data, const std::string& pdfPath, const std::string& title, std::string& error);

}  // namespace radioprog::cli
