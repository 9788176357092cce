// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/gui/grid_button.h"

namespace radioprog {

namespace {
bool gridButtonDown = false;
}  // namespace

bool GridButtonDown() { return gridButtonDown; }
void SetGridButtonDown(bool down) { gridButtonDown = down; }

}  // namespace radioprog
