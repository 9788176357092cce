// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One interface face per script: Latin in the given face, Chinese in a plain sans face (never
// the brush-style Kai face the font system might otherwise pick); and the message dialog's
// faces: Latin in a clean sans face, Chinese in a Kai face where one is installed.
#include <QStringList>

namespace radioprog {

// The families for interface text whose Latin face is `latin`, Chinese fallbacks after it.
QStringList InterfaceFamilies(const QString& latin);

// The message dialog's families: a sans face for Latin first, then the Kai faces.
QStringList MessageFamilies();

}  // namespace radioprog
