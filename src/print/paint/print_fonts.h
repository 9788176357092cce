// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printout's fonts: the classic fonts where installed, else the closest ones here.
#include <QFont>

#include "print/page_plan.h"

namespace radioprog {

// Table: monospace 9 pt; Header: monospace 10 pt; Page: a Chinese serif 10 pt. Point sizes
// follow the resolution of the device the font is used on.
QFont PrintFontFor(PrintFont font);

}  // namespace radioprog
