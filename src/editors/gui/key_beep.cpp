// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/gui/key_beep.h"

#include <QApplication>

namespace radioprog {

namespace {
std::function<void()>& Handler() {
    static std::function<void()> handler;
    return handler;
}
}  // namespace

void KeyBeep() {
    if (Handler())
        Handler()();
    else
        QApplication::beep();
}

void SetKeyBeepHandler(std::function<void()> handler) { Handler() = std::move(handler); }

}  // namespace radioprog
