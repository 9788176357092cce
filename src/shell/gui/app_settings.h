// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the program remembers between runs (QSettings, ~/.config/radioprog/radioprog.conf):
// the recent files, the folder of the last file dialog and the chosen language.
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

}  // namespace radioprog
