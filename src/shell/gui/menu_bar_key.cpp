// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/gui/menu_bar_key.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <QShortcut>

namespace radioprog {

void InstallMenuBarKey(QMainWindow& window) {
    auto* key = new QShortcut(QKeySequence(Qt::Key_F10), &window);
    key->setContext(Qt::ApplicationShortcut);
    QObject::connect(key, &QShortcut::activated, &window, [&window] {
        QMenuBar* bar = window.menuBar();
        for (QAction* entry : bar->actions())
            if (entry->isVisible() && entry->isEnabled() && !entry->isSeparator()) {
                bar->setActiveAction(entry);
                return;
            }
    });
}

}  // namespace radioprog
