// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// F10 opens the menu bar: its first menu drops down, and the arrow keys move on from there.
class QMainWindow;

namespace radioprog {

void InstallMenuBarKey(QMainWindow& window);

}  // namespace radioprog
