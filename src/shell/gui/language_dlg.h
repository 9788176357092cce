// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Choosing the display language among those the language file names.
#include <QDialog>

#include <array>
#include <string>

class QComboBox;

namespace radioprog {

class CLanguageDlg : public QDialog {
    Q_OBJECT
public:
    CLanguageDlg(const QString& title, const QString& okCaption, const QString& cancelCaption,
                 const std::array<std::string, 32>& names, int preselected, QWidget* parent = nullptr);

    QComboBox* list() const { return list_; }
    // The index chosen with OK: the selected entry, -1 when none is selected.
    int chosenIndex() const { return chosen_; }

    void accept() override;

private:
    QComboBox* list_;
    int chosen_ = -1;
};

}  // namespace radioprog
