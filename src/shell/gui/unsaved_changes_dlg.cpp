// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/gui/unsaved_changes_dlg.h"

#include <QAbstractButton>
#include <QPushButton>

#include "model/extra_rows.h"
#include "model/language_table.h"
#include "shell/document_texts.h"
#include "ui/text.h"
#include "ui/ui_hooks.h"

namespace radioprog {

namespace {

QMessageBox::StandardButton Ask(QWidget* parent, const QString& question, int saveRow, const char* name,
                                const LanguageTable& language) {
    QMessageBox box(QMessageBox::Warning, Q(language.row(lang_row::kTitle)), question,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setObjectName(QLatin1String(name));
    for (auto [button, row] : {std::pair<QMessageBox::StandardButton, int>{QMessageBox::Save, saveRow},
                               {QMessageBox::Discard, lang_row::kDiscardButton},
                               {QMessageBox::Cancel, lang_row::kCancel}})
        if (!language.row(row).empty()) box.button(button)->setText(Q(language.row(row)));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    int answer = RunModal(box);
    if (QAbstractButton* clicked = box.clickedButton()) answer = box.standardButton(clicked);
    if (answer == QMessageBox::Save || answer == QMessageBox::Discard)
        return static_cast<QMessageBox::StandardButton>(answer);
    return QMessageBox::Cancel;
}

}  // namespace

QMessageBox::StandardButton AskSaveChanges(QWidget* parent, const std::string& path, const LanguageTable& language) {
    return Ask(parent, Q(SaveChangesQuestion(path, language)), lang_row::kSaveButton, "saveChangesQuestion", language);
}

QMessageBox::StandardButton AskStoreEdits(QWidget* parent, const LanguageTable& language) {
    return Ask(parent, Q(language.row(lang_row::kStoreEditsQuestion)), lang_row::kStoreButton, "storeEditsQuestion",
               language);
}

}  // namespace radioprog
