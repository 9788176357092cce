// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The modal steps of the user interface (dialogs, file choosers) run through these hooks, so
// tests can answer them without a modal event loop. Unset hooks run the real dialogs.
#include <QString>

#include <functional>

#include "model/language_table.h"

class QDialog;
class QWidget;

namespace radioprog {

struct UiHooks {
    // Runs a modal dialog and returns its result (QDialog::Accepted / Rejected).
    std::function<int(QDialog&)> runDialog;
    // Chooses a file to open or to save to (a .dat or a CSV file); an empty text means cancelled.
    std::function<QString(QWidget* parent, bool forSaving)> chooseFile;
    // Shows a warning that is not one of the program's own message dialogs (file errors,
    // permission advice); the default shows a message box.
    std::function<void(QWidget* parent, const QString& text)> warn;
};

UiHooks& Hooks();

int RunModal(QDialog& dialog);
// A .dat file; the dialog starts at `start` (a folder, or a file whose folder and name it
// shows) when given.
QString ChooseDatFile(QWidget* parent, bool forSaving, const LanguageTable& language, const QString& start = {});
// A CSV file of channels; a name typed without an extension for saving gets ".csv".
QString ChooseCsvFile(QWidget* parent, bool forSaving, const LanguageTable& language);
void Warn(QWidget* parent, const QString& text);

}  // namespace radioprog
