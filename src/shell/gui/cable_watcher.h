// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tells a dialog that a cable was plugged in or out: a device node appeared in or left the
// watched folder (/dev). udev sets a new node's group and access a moment after it appears,
// so the signal comes once things have settled.
#include <QObject>
#include <QString>

class QFileSystemWatcher;
class QTimer;

namespace radioprog {

class CableWatcher : public QObject {
    Q_OBJECT
public:
    explicit CableWatcher(const QString& watchedDir, QObject* parent = nullptr);

signals:
    void cablesChanged();

private:
    QFileSystemWatcher* watcher_;
    QTimer* settle_;
};

}  // namespace radioprog
