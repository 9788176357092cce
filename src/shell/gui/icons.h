// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Icon files: the program's own and the toolbar's, loaded from the data directories.
#include <QIcon>

#include <initializer_list>
#include <string>

namespace radioprog {

// The first of the icon files that exists and loads, looked for where the program's data
// files are; an empty icon when none does.
QIcon LoadIconFile(std::initializer_list<std::string> names);

// A toolbar icon drawn for each size: "icons/<name>-16.png" ... "-48.png" in the data
// directories; the fallback when none is found.
QIcon LoadSizedIcon(const std::string& name, const QIcon& fallback);

}  // namespace radioprog
