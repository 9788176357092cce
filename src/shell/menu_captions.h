#pragma once
// Which language row labels which menu entry. Top-level entries are found by their position
// in the menu bar, the others by their command.
#include <string>
#include <vector>

#include "model/language_table.h"

namespace radioprog {

struct MenuCaption {
    int position;  // menu-bar position for a top-level entry, else -1
    int command;   // command identifier, 0 for a drop-down title
    int row;       // language row, -1 = caption never relabelled
    const char* fixedCaption;  // caption when the row is -1 or its text is empty (no language file)
};

const std::vector<MenuCaption>& MenuCaptions();

// The caption of an entry: its language row's text, or the fixed caption when that is empty.
std::string MenuCaptionText(const MenuCaption& entry, const LanguageTable& language);

// A menu caption as a window title: plain, and without a "(&A)" group ("关于 radioprog(&A)..."
// gives "关于 radioprog").
std::string TitleCaption(const std::string& caption);

// A menu caption as plain text: without the accelerator mark "&", the key name after a tab
// and trailing dots ("&Open...\tCtrl+O" gives "Open").
std::string PlainCaption(const std::string& caption);

// A menu row's text as a dialog title or check box caption: cut before the first "(" (where
// the accelerator and key name follow in the Chinese captions), then made plain.
std::string PlainMenuText(const std::string& text);

// The toolbar tip of a command: its menu row's text cut before the first "(" (where the
// accelerator and key name follow in the Chinese captions), then made plain; empty for
// commands without a row.
std::string ToolTipText(int command, const LanguageTable& language);

}  // namespace radioprog
