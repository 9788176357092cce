// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/gui/command_actions.h"

#include <QApplication>
#include <QStyle>

#include "shell/gui/icons.h"
#include "shell/menu_captions.h"
#include "ui/text.h"

namespace radioprog {

namespace {

Qt::ShortcutContext ContextOf(KeyScope scope) {
    switch (scope) {
    case KeyScope::Application: return Qt::ApplicationShortcut;
    case KeyScope::Window: return Qt::WindowShortcut;
    case KeyScope::ChannelTable: return Qt::WidgetWithChildrenShortcut;
    }
    return Qt::WindowShortcut;
}

// The first of the platform's keys for the standard key.
QList<QKeySequence> StandardKeys(StandardKey key) {
    switch (key) {
    case StandardKey::None: return {};
    case StandardKey::New: return {QKeySequence(QKeySequence::New)};
    case StandardKey::Open: return {QKeySequence(QKeySequence::Open)};
    case StandardKey::Save: return {QKeySequence(QKeySequence::Save)};
    case StandardKey::Print: return {QKeySequence(QKeySequence::Print)};
    case StandardKey::Quit: return {QKeySequence(QKeySequence::Quit)};
    }
    return {};
}

}  // namespace

QList<QKeySequence> CommandShortcuts(const MenuEntry& entry) {
    QList<QKeySequence> keys = StandardKeys(entry.standardKey);
    if (*entry.keys) keys += QKeySequence::listFromString(QString::fromLatin1(entry.keys), QKeySequence::PortableText);
    return keys;
}

QIcon CommandIconImage(CommandIcon icon) {
    QStyle* style = QApplication::style();
    switch (icon) {
    case CommandIcon::None: return {};
    case CommandIcon::New: return LoadSizedIcon("new", style->standardIcon(QStyle::SP_FileIcon));
    case CommandIcon::Open: return style->standardIcon(QStyle::SP_DialogOpenButton);
    case CommandIcon::Save: return style->standardIcon(QStyle::SP_DialogSaveButton);
    case CommandIcon::Print:
        return LoadSizedIcon("print", QIcon::fromTheme(QStringLiteral("document-print"),
                                                       style->standardIcon(QStyle::SP_FileDialogDetailedView)));
    case CommandIcon::Read: return style->standardIcon(QStyle::SP_ArrowDown);
    case CommandIcon::Write: return style->standardIcon(QStyle::SP_ArrowUp);
    case CommandIcon::Port: return style->standardIcon(QStyle::SP_ComputerIcon);
    case CommandIcon::About: return style->standardIcon(QStyle::SP_MessageBoxQuestion);
    }
    return {};
}

QAction* CreateCommandAction(const MenuEntry& entry, QObject* parent) {
    auto* action = new QAction(CommandIconImage(entry.icon), QString(), parent);
    action->setData(static_cast<int>(entry.command));
    action->setShortcuts(CommandShortcuts(entry));
    action->setShortcutContext(ContextOf(entry.scope));
    action->setCheckable(entry.checkable);
    action->setEnabled(entry.startsEnabled);
    return action;
}

void NameCommand(QAction& action, const QString& caption) {
    action.setText(Q(MenuItemCaption(S(caption))));
    action.setIconText(Q(TitleCaption(S(caption))));
}

Command CommandOf(const QAction& action) { return static_cast<Command>(action.data().toInt()); }

}  // namespace radioprog
