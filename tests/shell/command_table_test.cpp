// SPDX-License-Identifier: GPL-3.0-or-later
// The command table the main window builds its menus, keys and toolbar from: every command in
// one place, menus in menu-bar order, no key given to two commands, tips only where the
// toolbar showed them.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "shell/command_table.h"

namespace radioprog {
namespace {

TEST(CommandTable, EveryCommandIsInOneMenuOnceAndEveryMenuFollowsItsTitle) {
    std::set<Command> seen;
    std::vector<Menu> barOrder;
    for (const MenuEntry& entry : MenuLayout()) {
        if (entry.kind == EntryKind::MenuTitle || entry.kind == EntryKind::BarCommand) {
            barOrder.push_back(entry.menu);
        } else {
            // An entry of a drop-down menu comes after that menu's title, before the next one.
            ASSERT_FALSE(barOrder.empty());
            EXPECT_EQ(entry.menu, barOrder.back()) << "entry row " << entry.row;
            EXPECT_EQ(MenuBarEntry(entry.menu).kind, EntryKind::MenuTitle);
        }
        if (entry.kind == EntryKind::MenuTitle || entry.kind == EntryKind::Separator) continue;
        EXPECT_TRUE(seen.insert(entry.command).second) << "command " << static_cast<int>(entry.command) << " twice";
        EXPECT_EQ(FindCommand(entry.command), &entry);
        EXPECT_GE(entry.row, 0);
    }
    ASSERT_EQ(barOrder.size(), static_cast<std::size_t>(kMenuBarEntries));
    for (int position = 0; position < kMenuBarEntries; ++position)
        EXPECT_EQ(static_cast<int>(barOrder[static_cast<std::size_t>(position)]), position);
    // No menu starts or ends with a separator, and no two follow each other.
    for (Menu menu : {Menu::File, Menu::Program, Menu::Edit, Menu::View, Menu::Window, Menu::Help}) {
        const auto commands = MenuCommands(menu);
        ASSERT_FALSE(commands.empty());
        EXPECT_TRUE(commands.front() && commands.back());
        for (std::size_t k = 1; k < commands.size(); ++k) EXPECT_TRUE(commands[k] || commands[k - 1]);
    }
}

TEST(CommandTable, TheToolbarHoldsExactlyTheCommandsWithAPicture) {
    std::set<Command> onToolbar;
    for (const std::optional<Command>& command : ToolbarLayout())
        if (command) {
            EXPECT_TRUE(onToolbar.insert(*command).second);
        }
    for (const MenuEntry& entry : MenuLayout()) {
        if (entry.kind == EntryKind::MenuTitle || entry.kind == EntryKind::Separator) continue;
        EXPECT_EQ(onToolbar.count(entry.command) == 1, entry.icon != CommandIcon::None)
            << "command " << static_cast<int>(entry.command);
        if (entry.tip) {
            EXPECT_NE(entry.icon, CommandIcon::None);
        }
    }
}

TEST(CommandTable, NoKeyBelongsToTwoCommands) {
    std::map<std::string, Command> owner;
    auto claim = [&](const std::string& key, Command command) {
        auto [at, fresh] = owner.emplace(key, command);
        EXPECT_TRUE(fresh) << key << " is the key of commands " << static_cast<int>(at->second) << " and "
                           << static_cast<int>(command);
    };
    for (const MenuEntry& entry : MenuLayout()) {
        if (entry.kind == EntryKind::MenuTitle || entry.kind == EntryKind::Separator) continue;
        if (entry.standardKey != StandardKey::None)
            claim("standard " + std::to_string(static_cast<int>(entry.standardKey)), entry.command);
        std::istringstream keys(entry.keys);
        for (std::string key; std::getline(keys, key, ';');)
            claim(key.substr(key.find_first_not_of(' ')), entry.command);
    }
}

TEST(CommandTable, TipsAndTheirFallbacks) {
    LanguageTable english;
    std::map<Command, std::string> tips;
    for (const MenuEntry& entry : MenuLayout())
        if (entry.tip) tips[entry.command] = ToolTipText(entry.command, english);
    const std::map<Command, std::string> expected = {{Command::FileNew, "New"},
                                                     {Command::FileOpen, "Open"},
                                                     {Command::FileSave, "Save"},
                                                     {Command::FilePrint, "Print"},
                                                     {Command::ReadRadio, "Read from Radio"},
                                                     {Command::WriteRadio, "Write to Radio"},
                                                     {Command::PortSelect, "Port"},
                                                     {Command::About, "About radioprog"}};
    EXPECT_EQ(tips, expected);
    english.rows[lang_row::kNew] = "(&N)\tCtrl+N";
    EXPECT_EQ(ToolTipText(Command::FileNew, english), "") << "a caption that starts with '(' shows no tip";
}

}  // namespace
}  // namespace radioprog
