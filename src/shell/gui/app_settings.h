// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the program remembers between runs (QSettings, ~/.config/radioprog/radioprog.conf):
// the recent files, the folder of the last file dialog, the chosen language and the cable.
#include <QString>
#include <QStringList>

#include <optional>

namespace radioprog {

QStringList RecentFiles();
// Puts the file first in the recent files (see shell/recent_files.h) and returns the list.
QStringList RememberRecentFile(const QString& path);
void ForgetRecentFile(const QString& path);

// The folder the file dialogs start in when the document has no file; empty: none yet.
QString LastFolder();
void RememberLastFolder(const QString& folder);

// The language column chosen last; nothing before the user has chosen one.
std::optional<int> ChosenLanguage();
void RememberLanguage(int index);

// The stable identity of the cable of the last successful transfer (link/port_info.h);
// empty: none yet.
QString RememberedCable();
void RememberCable(const QString& identity);

}  // namespace radioprog
