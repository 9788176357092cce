// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program's own files (language file, pictures, icons) are looked for: the
// current directory first, then beside the program, then "radioprog" in each XDG data
// directory (the user's own, then the system's, /usr/local/share and /usr/share unless
// XDG_DATA_DIRS says otherwise), then share/radioprog next to the program's bin directory,
// last the data directory the build was configured with.
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

// One of the user's base directories: the variable's value (XDG_STATE_HOME) when it is an
// absolute path, else underHome below HOME (".local/state"); empty when neither is set.
std::string XdgUserDir(const char* variable, const char* underHome);

// The user's data directory: XDG_DATA_HOME, else ~/.local/share.
std::string XdgDataHome();

// The user's data directory followed by the system's data directories (XDG_DATA_DIRS, its
// relative entries skipped; /usr/local/share:/usr/share when it is unset or empty), each once.
std::vector<std::string> XdgDataDirs();

}  // namespace radioprog
