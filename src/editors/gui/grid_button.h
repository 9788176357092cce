// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether the left mouse button is held on the channel grid. The channel view sets it; the
// numeric edit reads it (it takes no key while the button is held there).
namespace radioprog {

bool GridButtonDown();
void SetGridButtonDown(bool down);

}  // namespace radioprog
