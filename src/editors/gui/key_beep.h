// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The warning sound of a refused key. Tests replace it to count the refusals.
#include <functional>

namespace radioprog {

void KeyBeep();
// An empty handler restores the system's beep.
void SetKeyBeepHandler(std::function<void()> handler);

}  // namespace radioprog
