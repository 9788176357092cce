// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printout as a PDF file. Painting needs Qt's GUI libraries, which no other command of
// radioprog-cli needs: they live in a plugin that only "print" loads, so every other command
// starts without them.
#include <string>

#include "print/print_data.h"

namespace radioprog::cli {

// The plugin's one entry point: the three pages (A4) as the bytes of a PDF file; false when
// they cannot be drawn.
using DrawPrintoutPdfFunction = bool (*)(const PrintData& data, const std::string& title, std::string& pdf);
inline constexpr const char* kPrintPluginFile = "radioprog-print.so";
inline constexpr const char* kPrintPluginSymbol = "RadioprogDrawPrintoutPdf";

// Loads the plugin (from the library folder beside the program, else the installed one) and
// draws the pages into pdf. False with error empty when the pages cannot be drawn, with the
// reason in error when there is no plugin to draw them.
bool DrawPrintoutPdf(const PrintData& data, const std::string& title, std::string& pdf, std::string& error);

}  // namespace radioprog::cli
