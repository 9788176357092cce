// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Toolbar tips from the language table. Qt shows a button's tip from the button itself, so
// the tip is answered on every button of the toolbar (also buttons added later); the text is
// asked for at each request, so it follows a change of language at once. An empty text shows
// no tip.
#include <QString>

#include <functional>

class QToolBar;

namespace radioprog {

// tipOfCommand gets the command number stored in the button's action data.
void InstallToolbarTips(QToolBar& toolBar, std::function<QString(int command)> tipOfCommand);

}  // namespace radioprog
