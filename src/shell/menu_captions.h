// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Menu captions made into other texts: window titles, plain texts, dialog titles.
#include <string>

namespace radioprog {

// A menu caption as a window title: plain, and without a "(&A)" group ("关于 radioprog(&A)..."
// gives "关于 radioprog").
std::string TitleCaption(const std::string& caption);

// A menu caption as a menu item's text: without the key name after a tab ("&New\tCtrl+N"
// gives "&New"). The menu shows the command's own keys, and a screen reader hears them as
// the item's shortcut instead of as part of its name.
std::string MenuItemCaption(const std::string& caption);

// A menu caption as plain text: without the accelerator mark "&", the key name after a tab
// and trailing dots ("&Open...\tCtrl+O" gives "Open").
std::string PlainCaption(const std::string& caption);

// A menu row's text as a dialog title or check box caption: cut before the first "(" (where
// the accelerator and key name follow in the Chinese captions), then made plain.
std::string PlainMenuText(const std::string& text);

}  // namespace radioprog
