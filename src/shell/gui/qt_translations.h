// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt's own texts (file and print dialogs, standard buttons) in the chosen language, from the
// translations installed with Qt.

namespace radioprog {

// Installs the translation for the language column, replacing the one installed before; a
// column without one (English) or a missing translation file leaves Qt's English. True when
// a translation is installed.
bool LoadQtTranslations(int languageIndex);

}  // namespace radioprog
