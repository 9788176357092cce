#include "shell/gui/ui_hooks.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

#include "shell/gui/text.h"

namespace radioprog {

UiHooks& Hooks() {
    static UiHooks hooks;
    return hooks;
}

int RunModal(QDialog& dialog) {
    if (Hooks().runDialog) return Hooks().runDialog(dialog);
    return dialog.exec();
}

QString ChooseDatFile(QWidget* parent, bool forSaving, const LanguageTable& language) {
    if (Hooks().chooseFile) return Hooks().chooseFile(parent, forSaving);
    const QString filter = Q(language.row(lang_row::kDatFiles)) + QStringLiteral(";;") + Q(language.row(lang_row::kAllFiles));
    return forSaving ? QFileDialog::getSaveFileName(parent, QString(), QString(), filter)
                     : QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

QString ChooseCsvFile(QWidget* parent, bool forSaving, const LanguageTable& language) {
    if (Hooks().chooseFile) return Hooks().chooseFile(parent, forSaving);
    QFileDialog dialog(parent, QString(), QString(),
                       Q(language.row(lang_row::kCsvFiles)) + QStringLiteral(";;") + Q(language.row(lang_row::kAllFiles)));
    dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

void Warn(QWidget* parent, const QString& text) {
    if (Hooks().warn) {
        Hooks().warn(parent, text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, parent ? parent->window()->windowTitle() : QString(), text,
                    QMessageBox::Ok, parent);
    RunModal(box);
}

}  // namespace radioprog
