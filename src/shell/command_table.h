// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's commands in one table: which menu holds each command and where, the
// language row of its caption (and the English caption for a language file without that
// row), its shortcut, its toolbar icon and whether its toolbar button shows a tip. The main
// window builds its menu bar, menus, shortcuts and toolbar from this table and relabels them
// from it after a language change; the tips are read from it.
//
// To add a command: give it an identifier in model/command_ids.h, put its entry where it
// belongs in MenuLayout() (the order of the table is the order of the menus), add its
// language row to model/extra_rows.h and data/lang.csv, and connect it in the main window.
#include <optional>
#include <string>
#include <vector>

#include "model/command_ids.h"
#include "model/language_table.h"

namespace radioprog {

// The menu-bar entries, in their order on the bar.
enum class Menu { File, Program, Edit, Port, View, Window, Language, Help };
inline constexpr int kMenuBarEntries = 8;

enum class EntryKind {
    MenuTitle,   // a drop-down menu's title on the menu bar
    BarCommand,  // a command placed directly on the menu bar
    Item,        // a command in a drop-down menu
    Submenu,     // a submenu of a drop-down menu (its entries are built at run time)
    Separator,
};

// A platform's standard key of a command (as the desktop defines it), or none.
enum class StandardKey { None, New, Open, Save, Print, Quit };

// Where a shortcut works: anywhere in the program, in the main window, or while the focus is
// inside the channel table (so other editors and open cell editors keep their keys).
enum class KeyScope { Application, Window, ChannelTable };

// A toolbar picture (the window maps it to an icon file or a theme icon).
enum class CommandIcon { None, New, Open, Save, Print, Read, Write, Port, About };

struct MenuEntry {
    EntryKind kind;
    Menu menu;
    Command command;           // for MenuTitle and Separator: unused
    int row;                   // language row of the caption; -1 for a separator
    const char* fixedCaption;  // the caption when the row's text is empty ("" = the row's built-in text)
    StandardKey standardKey = StandardKey::None;
    const char* keys = "";  // other shortcuts, "Ctrl+Y; Ctrl+Shift+Z" (Qt's portable key names)
    KeyScope scope = KeyScope::Application;
    CommandIcon icon = CommandIcon::None;
    bool tip = false;  // the toolbar button's tip is the caption cut before its first "("
    bool checkable = false;
    bool startsEnabled = true;
    // Disabled while a transfer runs: the command replaces or edits the image, starts another
    // transfer or changes the language.
    bool blockedByTransfer = false;
};

// Every menu-bar entry and menu entry, in menu order: each MenuTitle or BarCommand is followed
// by the entries of its menu. Each command appears exactly once.
const std::vector<MenuEntry>& MenuLayout();

// The toolbar from left to right; an empty entry is a separator.
const std::vector<std::optional<Command>>& ToolbarLayout();

// The commands a running transfer disables, in table order (every front end disables
// exactly these; Cancel is the one command enabled only during a transfer).
std::vector<Command> TransferBlockedCommands();

// The entry of a command; nullptr for one the table does not hold.
const MenuEntry* FindCommand(Command command);
// The entry of a menu-bar position.
const MenuEntry& MenuBarEntry(Menu menu);
// The commands of a drop-down menu (separators as nullopt), in order.
std::vector<std::optional<Command>> MenuCommands(Menu menu);

// An entry's caption: its language row's text, or the fixed caption when that is empty.
std::string CaptionText(const MenuEntry& entry, const LanguageTable& language);

// The toolbar tip of a command: its caption cut before the first "(" (where the accelerator
// and key name follow in the Chinese captions), then made plain; empty for commands whose
// button shows no tip.
std::string ToolTipText(Command command, const LanguageTable& language);

}  // namespace radioprog
