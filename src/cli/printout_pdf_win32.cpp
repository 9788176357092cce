// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows build of radioprog-cli is the Qt-free core alone: it has no printing plugin.
#include "cli/printout_pdf.h"

namespace radioprog::cli {

bool DrawPrintoutPdf(const PrintData&, const std::string&, std::string&, std::string& error) {
    error = "printing is not available in radioprog-cli for Windows";
    return false;
}

}  // namespace radioprog::cli
