// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command table's entries as Qt actions: their icons, keys and key scopes, and the command
// an action carries.
#include <QAction>
#include <QIcon>
#include <QKeySequence>
#include <QList>

#include "shell/command_table.h"

namespace radioprog {

// A new action of the window for a command: its icon, keys, key scope, check box and first
// enabled state as the table gives them, and the command's number as its data. The caption
// is set by the window's relabelling.
QAction* CreateCommandAction(const MenuEntry& entry, QObject* parent);

// The keys of a table entry: the platform's standard key, then its other keys.
QList<QKeySequence> CommandShortcuts(const MenuEntry& entry);

QIcon CommandIconImage(CommandIcon icon);

// Sets an action's menu caption (without the key name: the menu shows the action's keys), and
// its button's text without the accelerator and key name
// (a toolbar button is named by that text; its keys are told apart, as its shortcut).
void NameCommand(QAction& action, const QString& caption);

// The command an action of the window carries.
Command CommandOf(const QAction& action);

}  // namespace radioprog
