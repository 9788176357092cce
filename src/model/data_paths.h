#pragma once
// Where the program's own files (language file, pictures, icons) are looked for: the
// current directory first, then beside the program, then the installed data directory.
#include <initializer_list>
#include <string>
#include <vector>

namespace radioprog {

std::vector<std::string> DataSearchDirs();

// The first existing regular file among names, searched directory by directory (so a name
// early in the list wins only within its directory). Empty when none exists.
std::string FindDataFile(std::initializer_list<std::string> names);

// Every existing regular file among names, in the order FindDataFile tries them.
std::vector<std::string> FindDataFiles(std::initializer_list<std::string> names);

// The directory of the running program, or empty when it cannot be told.
std::string ProgramDir();

}  // namespace radioprog
