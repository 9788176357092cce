#pragma once
#include <QIcon>

#include <initializer_list>
#include <string>

namespace radioprog {

// The first of the icon files that exists and loads, looked for where the program's data
// files are; an empty icon when none does.
QIcon LoadIconFile(std::initializer_list<std::string> names);

}  // namespace radioprog
