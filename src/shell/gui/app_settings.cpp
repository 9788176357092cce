// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/gui/app_settings.h"

#include <QSettings>

#include <string>
#include <vector>

#include "shell/recent_files.h"
#include "ui/text.h"

namespace radioprog {

namespace {

// The program's settings file, whatever the application is called (tests run under their own
// names).
class Store : public QSettings {
public:
    Store() : QSettings(QStringLiteral("radioprog"), QStringLiteral("radioprog")) {}
};

const QString kRecentKey = QStringLiteral("files/recent");
const QString kFolderKey = QStringLiteral("files/lastFolder");
const QString kLanguageKey = QStringLiteral("interface/language");
const QString kCableKey = QStringLiteral("link/cable");

}  // namespace

QStringList RecentFiles() {
    Store store;
    return store.value(kRecentKey).toStringList();
}

QStringList RememberRecentFile(const QString& path) {
    std::vector<std::string> recent;
    for (const QString& entry : RecentFiles()) recent.push_back(S(entry));
    QStringList list;
    for (const std::string& entry : WithRecentFile(recent, S(path))) list << Q(entry);
    Store store;
    store.setValue(kRecentKey, list);
    return list;
}

void ForgetRecentFile(const QString& path) {
    QStringList list = RecentFiles();
    list.removeAll(path);
    Store store;
    store.setValue(kRecentKey, list);
}

QString LastFolder() {
    Store store;
    return store.value(kFolderKey).toString();
}

void RememberLastFolder(const QString& folder) {
    Store store;
    store.setValue(kFolderKey, folder);
}

std::optional<int> ChosenLanguage() {
    Store store;
    bool ok = false;
    const int index = store.value(kLanguageKey).toInt(&ok);
    if (!ok) return std::nullopt;
    return index;
}

void RememberLanguage(int index) {
    Store store;
    store.setValue(kLanguageKey, index);
}

QString RememberedCable() {
    Store store;
    return store.value(kCableKey).toString();
}

void RememberCable(const QString& identity) {
    Store store;
    store.setValue(kCableKey, identity);
}

}  // namespace radioprog
