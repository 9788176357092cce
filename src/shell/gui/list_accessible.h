// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a screen reader hears for a list (a closed, non-editable QComboBox): its name is its
// caption (the label it is the buddy of, or its accessible name) and its value is the entry it
// shows. Qt names a list by its entry on this platform and gives its entry nowhere a screen
// reader reads a list's value from, so a user heard "TX Time-out, combo box" and nothing when
// the entry changed. Here the entry is the list's text, selected as a whole, and a change of
// entry replaces that text, which a screen reader speaks as the new value.

namespace radioprog {

// Installs the accessibility factory for every list the application creates after this call;
// a second call does nothing.
void InstallListAccessibility();

}  // namespace radioprog
