// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/gui/port_select_dlg.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "link/port_map.h"
#include "shell/gui/text.h"

namespace radioprog {

CPortSelectDlg::CPortSelectDlg(const QString& title, const QString& okCaption, const QString& cancelCaption,
                               std::uint32_t portMask, const std::vector<std::string>& devices, int selection,
                               QWidget* parent)
    : QDialog(parent), group_(new QButtonGroup(this)), selection_(selection) {
    setWindowTitle(title);
    auto* box = new QGroupBox(title, this);
    auto* grid = new QGridLayout(box);
    for (int port = kFirstPort; port <= kLastPort; ++port) {
        QString label = QStringLiteral("COM%1").arg(port);
        std::string device =
            port <= static_cast<int>(devices.size()) ? devices[static_cast<std::size_t>(port - 1)] : "";
        auto* button = new QRadioButton(label, box);
        if (!device.empty()) {
            button->setText(label + QStringLiteral("  ") + Q(device));
            button->setToolTip(Q(device));
        }
        button->setEnabled((portMask >> port) & 1u);
        group_->addButton(button, port - 1);
        grid->addWidget(button, (port - 1) / 5, (port - 1) % 5);
    }
    if (selection >= 0 && selection < kLastPort) group_->button(selection)->setChecked(true);

    auto* ok = new QPushButton(okCaption, this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(cancelCaption, this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addLayout(buttons);
}

QRadioButton* CPortSelectDlg::portButton(int port) const {
    return static_cast<QRadioButton*>(group_->button(port - 1));
}

void CPortSelectDlg::accept() {
    selection_ = group_->checkedId();
    QDialog::accept();
}

}  // namespace radioprog
