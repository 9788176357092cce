#include "model/data_paths.h"

#include <filesystem>
#include <system_error>

#ifndef RADIOPROG_DATA_DIR
#define RADIOPROG_DATA_DIR "/usr/local/share/radioprog"
#endif

namespace radioprog {

namespace fs = std::filesystem;

std::string ProgramDir() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

std::vector<std::string> DataSearchDirs() {
    std::vector<std::string> dirs{"."};
    std::string programDir = ProgramDir();
    if (!programDir.empty()) dirs.push_back(programDir);
    dirs.push_back(RADIOPROG_DATA_DIR);
    return dirs;
}

std::vector<std::string> FindDataFiles(std::initializer_list<std::string> names) {
    std::vector<std::string> found;
    for (const std::string& dir : DataSearchDirs()) {
        for (const std::string& name : names) {
            fs::path candidate = dir == "." ? fs::path(name) : fs::path(dir) / name;
            std::error_code ec;
            if (fs::is_regular_file(candidate, ec)) found.push_back(candidate.string());
        }
    }
    return found;
}

std::string FindDataFile(std::initializer_list<std::string> names) {
    std::vector<std::string> found = FindDataFiles(names);
    return found.empty() ? std::string() : found.front();
}

}  // namespace radioprog
