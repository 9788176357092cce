// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/gui/cable_watcher.h"

#include <QFileSystemWatcher>
#include <QTimer>

namespace radioprog {

namespace {
constexpr int kSettleMs = 500;
}  // namespace

CableWatcher::CableWatcher(const QString& watchedDir, QObject* parent)
    : QObject(parent), watcher_(new QFileSystemWatcher(this)), settle_(new QTimer(this)) {
    settle_->setSingleShot(true);
    settle_->setInterval(kSettleMs);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, settle_, qOverload<>(&QTimer::start));
    connect(settle_, &QTimer::timeout, this, &CableWatcher::cablesChanged);
    watcher_->addPath(watchedDir);
}

}  // namespace radioprog
