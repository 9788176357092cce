// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/gui/language_dlg.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

#include "ui/dialog_units.h"
#include "ui/text.h"

namespace radioprog {

CLanguageDlg::CLanguageDlg(const QString& title, const QString& okCaption, const QString& cancelCaption,
                           const std::array<std::string, 32>& names, int preselected, QWidget* parent)
    : QDialog(parent), list_(new QComboBox(this)) {
    setWindowTitle(title);
    DialogUnits units(font());
    // The frame holds the list and little else: no large empty frame around a small list.
    setFixedSize(units.size(168, 62));
    auto* frame = new QGroupBox(this);
    frame->setGeometry(units.rect(8, 3, 152, 30));
    list_->setGeometry(units.rect(16, 12, 136, 14));
    list_->raise();
    for (const std::string& name : names) {
        if (name.empty()) break;
        list_->addItem(Q(name));
    }
    list_->setCurrentIndex(preselected >= 0 && preselected < list_->count() ? preselected : -1);
    auto* ok = new QPushButton(okCaption, this);
    ok->setGeometry(units.rect(24, 41, 50, 14));
    ok->setDefault(true);
    auto* cancel = new QPushButton(cancelCaption, this);
    cancel->setGeometry(units.rect(94, 41, 50, 14));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CLanguageDlg::accept() {
    chosen_ = list_->currentIndex();
    QDialog::accept();
}

}  // namespace radioprog
