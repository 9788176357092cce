#include "shell/gui/ui_hooks.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace radioprog {

UiHooks& Hooks() {
    static UiHooks hooks;
    return hooks;
}

int RunModal(QDialog& dialog) {
    if (Hooks().runDialog) return Hooks().runDialog(dialog);
    return dialog.exec();
}

QString ChooseDatFile(QWidget* parent, bool forSaving, const QString& start) {
    if (Hooks().chooseFile) return Hooks().chooseFile(parent, forSaving);
    const QString filter = QStringLiteral("dat Files (*.dat);;All Files (*.*)");
    return forSaving ? QFileDialog::getSaveFileName(parent, QString(), start, filter)
                     : QFileDialog::getOpenFileName(parent, QString(), start, filter);
}

QString ChooseCsvFile(QWidget* parent, bool forSaving) {
    if (Hooks().chooseFile) return Hooks().chooseFile(parent, forSaving);
    QFileDialog dialog(parent, QString(), QString(), QStringLiteral("CSV Files (*.csv);;All Files (*)"));
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
