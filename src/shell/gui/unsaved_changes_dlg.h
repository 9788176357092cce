// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The question before unsaved changes would be lost: Save, Discard or Cancel.
#include <QMessageBox>

#include <string>

namespace radioprog {

struct LanguageTable;

// Asks about the document at `path` (empty: untitled). Returns QMessageBox::Save,
// QMessageBox::Discard or QMessageBox::Cancel (also when the question is closed).
QMessageBox::StandardButton AskSaveChanges(QWidget* parent, const std::string& path, const LanguageTable& language);
// Asks whether the edits an open editor holds are stored before the editors are rebuilt:
// QMessageBox::Save (store them), Discard or Cancel (also when the question is closed).
QMessageBox::StandardButton AskStoreEdits(QWidget* parent, const LanguageTable& language);

}  // namespace radioprog
