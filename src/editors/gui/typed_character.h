// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The character a key types, as the keyboard delivers it to a window: Ctrl+letter gives the
// control characters 1..26, Return 13, Backspace 8; 0 when the key types nothing.
#include <QKeyEvent>

namespace radioprog {

inline char32_t TypedCharacter(const QKeyEvent& event) {
    const int key = event.key();
    if ((event.modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<char32_t>(key - Qt::Key_A + 1);
    const QList<uint> characters = event.text().toUcs4();
    return characters.isEmpty() ? 0 : static_cast<char32_t>(characters.front());
}

}  // namespace radioprog
