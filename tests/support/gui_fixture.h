// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Widget tests run in a temporary directory holding their own language file, with the
// program's modal steps answered by the test.
#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>

#include "model/extra_rows.h"
#include "model/language_table.h"
#include "shell/gui/message_dlg.h"
#include "support/temp_dir.h"
#include "ui/ui_hooks.h"

namespace radioprog::test {

// A language file whose row r reads "Z<r>" in column 0, "T<r>" in column 1 and "E<r>" in
// column 2, with some rows overridden per column.
inline std::string TestLanguageFile(const std::function<std::string(int row, int column)>& override = {}) {
    std::string text = "Zh,Tw,En\n";
    for (int row = 0; row < kLanguageRowCount; ++row) {
        for (int column = 0; column < 3; ++column) {
            std::string field = override ? override(row, column) : std::string();
            if (field.empty()) field = std::string(1, "ZTE"[column]) + std::to_string(row);
            text += (column ? "," : "") + field;
        }
        text += "\n";
    }
    return text;
}

// The window title in a test language file's column (rows read "<letter><row>") for a file
// name, or for an untitled document ("Untitled").
inline QString TitleOf(const char* letter, const QString& name) {
    const QString shown =
        name == QStringLiteral("Untitled") ? QString("%1%2").arg(letter).arg(lang_row::kUntitled) : name;
    return shown + QStringLiteral("[*] - ") + letter + QStringLiteral("0");
}

// Answers every modal dialog with a function of the test and records what was shown: every
// dialog's title, every message dialog's message and detail, every warning.
class ModalRecorder {
public:
    using Answer = std::function<int(QDialog&)>;

    explicit ModalRecorder(Answer answer = [](QDialog&) { return int(QDialog::Accepted); })
        : answer_(std::move(answer)) {
        Hooks().runDialog = [this](QDialog& dialog) {
            titles << dialog.windowTitle();
            if (auto* message = qobject_cast<CMessageDlg*>(&dialog)) {
                messages << message->message();
                details << message->detail();
            }
            return answer_(dialog);
        };
        Hooks().warn = [this](QWidget*, const QString& text) { warnings << text; };
    }
    ~ModalRecorder() {
        Hooks().runDialog = nullptr;
        Hooks().warn = nullptr;
        Hooks().chooseFile = nullptr;
    }
    ModalRecorder(const ModalRecorder&) = delete;
    ModalRecorder& operator=(const ModalRecorder&) = delete;

    void setAnswer(Answer answer) { answer_ = std::move(answer); }

    QStringList titles;
    QStringList messages;
    QStringList details;
    QStringList warnings;

private:
    Answer answer_;
};

}  // namespace radioprog::test
