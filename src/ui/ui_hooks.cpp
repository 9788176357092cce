// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ui_hooks.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>

#include "ui/text.h"

namespace radioprog {

UiHooks& Hooks() {
    static UiHooks hooks;
    return hooks;
}

int RunModal(QDialog& dialog) {
    // The keyboard focus returns to where it was, so shortcuts and arrow keys keep working
    // (a widget that went away or hid meanwhile leaves it to its window).
    const QPointer<QWidget> focus = QApplication::focusWidget();
    const int result = Hooks().runDialog ? Hooks().runDialog(dialog) : dialog.exec();
    if (focus && focus->isVisible() && focus->isEnabled()) {
        if (QWidget* window = focus->window(); window && !window->isActiveWindow()) window->activateWindow();
        focus->setFocus(Qt::OtherFocusReason);
    }
    return result;
}

QString ChooseDatFile(QWidget* parent, bool forSaving, const LanguageTable& language, const QString& start) {
    if (Hooks().chooseFile) return Hooks().chooseFile(parent, forSaving);
    const QString filter =
        Q(language.row(lang_row::kDatFiles)) + QStringLiteral(";;") + Q(language.row(lang_row::kAllFiles));
    return forSaving ? QFileDialog::getSaveFileName(parent, QString(), start, filter)
                     : QFileDialog::getOpenFileName(parent, QString(), start, filter);
}

QString ChooseCsvFile(QWidget* parent, bool forSaving, const LanguageTable& language) {
    if (Hooks().chooseFile) return Hooks().chooseFile(parent, forSaving);
    QFileDialog dialog(
        parent, QString(), QString(),
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
    QMessageBox box(QMessageBox::Warning, parent ? parent->window()->windowTitle() : QString(), text, QMessageBox::Ok,
                    parent);
    RunModal(box);
}

}  // namespace radioprog
