// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/gui/recovery_keeper.h"

#include "editors/gui/document.h"
#include "ui/text.h"

namespace radioprog {

RecoveryKeeper::RecoveryKeeper(Document& document, QObject* parent) : QObject(parent), document_(document) {
    timer_.setInterval(kDefaultIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::update);
    connect(&document_, &Document::modifiedChanged, this, [this](bool modified) {
        if (!modified) own_.remove();
    });
    timer_.start();
}

bool RecoveryKeeper::update() {
    // A failed write is tried again at the next interval; it must not interrupt the user.
    return !document_.isModified() || own_.write(document_.image(), S(document_.path())).ok;
}

void RecoveryKeeper::discard() { own_.remove(); }

}  // namespace radioprog
