// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tips without a mouse: the What's This key (Shift+F1) shows the tip of the control that has
// the keyboard focus (for a list or table, the tip of its current entry) where the control
// is, and the main window's status bar shows the tip of a control of its own as the control
// takes the focus. A control with a What's This text of its own keeps Qt's handling.
#include <QString>

class QStatusBar;
class QWidget;

namespace radioprog {

// The tip the focused widget shows on hover; empty when it has none.
QString FocusedTip(const QWidget& widget);

// Installs the handling for the whole application; it ends with the status bar.
void InstallKeyboardTips(QStatusBar& statusBar);

}  // namespace radioprog
