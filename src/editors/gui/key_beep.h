// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The warning sound of a refused key. Tests replace it to count the refusals. A screen
// reader hears the refusal too: the field that has the focus says it in its description.
#include <functional>

class QString;
class QWidget;

namespace radioprog {

// `field` is the field that refused the key (by default the one with the focus).
void KeyBeep(QWidget* field = nullptr);
// The same, and the screen reader hears why.
void KeyBeep(QWidget* field, const QString& reason);
// A screen reader hears the words now, from the control that has the focus (`field`).
void Announce(QWidget* field, const QString& words);
// An empty handler restores the system's beep.
void SetKeyBeepHandler(std::function<void()> handler);
// The words a screen reader says for a refused key, in the interface's language.
void SetKeyRefusedSpeech(const QString& words);

}  // namespace radioprog
