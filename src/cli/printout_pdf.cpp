// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/printout_pdf.h"

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>
#include <vector>

namespace radioprog::cli {

namespace {

// Where the plugin may be: relative to the program (the build tree and a moved installation),
// then where it was installed.
std::vector<std::string> PluginCandidates() {
    std::vector<std::string> paths;
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        paths.push_back((program.parent_path() / RADIOPROG_PLUGIN_RELATIVE_DIR / kPrintPluginFile).lexically_normal());
    paths.push_back(std::string(RADIOPROG_PLUGIN_DIR) + "/" + kPrintPluginFile);
    return paths;
}

}  // namespace

bool DrawPrintoutPdf(const PrintData& data, const std::string& title, std::string& pdf, std::string& error) {
    std::string reasons;
    for (const std::string& path : PluginCandidates()) {
        if (::access(path.c_str(), F_OK) != 0) continue;
        // Kept loaded until the program ends: Qt's libraries do not like being unloaded.
        void* plugin = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!plugin) {
            reasons += std::string("; ") + ::dlerror();
            continue;
        }
        auto draw = reinterpret_cast<DrawPrintoutPdfFunction>(::dlsym(plugin, kPrintPluginSymbol));
        if (!draw) {
            reasons += "; " + path + " is not radioprog's printing plugin";
            continue;
        }
        error.clear();
        return draw(data, title, pdf);
    }
    error = std::string("printing is not installed (") + kPrintPluginFile + " not found" + reasons + ")";
    return false;
}

}  // namespace radioprog::cli
