// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/gui/port_select_dlg.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "link/port_map.h"
#include "link/port_survey.h"
#include "shell/gui/cable_watcher.h"
#include "ui/text.h"

namespace radioprog {

PortChoices SurveyPortChoices(const PortMap& ports, const LanguageTable& language) {
    PortChoices choices;
    choices.mask = 0xFFFFFFFFu;
    for (int port = kFirstPort; port <= kLastPort; ++port) {
        choices.mask &= ~(1u << port);
        choices.devices.push_back(ports.device(port));
        choices.labels.emplace_back();
    }
    const std::vector<PortReport> reports = SurveyPorts(ports);
    for (const PortReport& report : reports) {
        const auto index = static_cast<std::size_t>(report.port - 1);
        choices.labels[index] = report.info.label();
        if (report.usable()) choices.mask |= 1u << report.port;
    }
    choices.details = PortReportLines(reports, CablesTakenByBrltty(), language);
    return choices;
}

CPortSelectDlg::CPortSelectDlg(const QString& title, const QString& okCaption, const QString& cancelCaption,
                               const PortChoices& choices, int selection, QWidget* parent)
    : QDialog(parent), group_(new QButtonGroup(this)), details_(new QPlainTextEdit(this)), selection_(selection) {
    setWindowTitle(title);
    auto* box = new QGroupBox(title, this);
    auto* grid = new QGridLayout(box);
    for (int port = kFirstPort; port <= kLastPort; ++port) {
        auto* button = new QRadioButton(QStringLiteral("COM%1").arg(port), box);
        group_->addButton(button, port - 1);
        grid->addWidget(button, (port - 1) / 5, (port - 1) % 5);
    }
    details_->setReadOnly(true);
    details_->setLineWrapMode(QPlainTextEdit::NoWrap);
    details_->setMinimumHeight(details_->fontMetrics().lineSpacing() * 8);

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
    layout->addWidget(details_, 1);
    layout->addLayout(buttons);
    showChoices(choices);
    if (selection >= 0 && selection < kLastPort) group_->button(selection)->setChecked(true);
}

void CPortSelectDlg::showChoices(const PortChoices& choices) {
    for (int port = kFirstPort; port <= kLastPort; ++port) {
        const auto index = static_cast<std::size_t>(port - 1);
        const std::string device = index < choices.devices.size() ? choices.devices[index] : "";
        const std::string label = index < choices.labels.size() ? choices.labels[index] : "";
        QString text = QStringLiteral("COM%1").arg(port);
        if (!device.empty()) text += QStringLiteral("  ") + Q(device);
        if (!label.empty()) text += QStringLiteral("\n") + Q(label);
        QAbstractButton* button = group_->button(port - 1);
        button->setText(text);
        button->setToolTip(device.empty() ? QString() : Q(device + (label.empty() ? "" : "\n" + label)));
        button->setEnabled((choices.mask >> port) & 1u);
    }
    QStringList lines;
    for (const std::string& line : choices.details) lines << Q(line);
    details_->setPlainText(lines.join(QLatin1Char('\n')));
}

void CPortSelectDlg::followCables(std::function<PortChoices()> survey, const QString& watchedDir) {
    survey_ = std::move(survey);
    delete watcher_;
    watcher_ = new CableWatcher(watchedDir, this);
    connect(watcher_, &CableWatcher::cablesChanged, this, [this] {
        if (survey_) showChoices(survey_());
    });
}

void CPortSelectDlg::setDetailsName(const QString& name) { details_->setAccessibleName(name); }

QRadioButton* CPortSelectDlg::portButton(int port) const {
    return static_cast<QRadioButton*>(group_->button(port - 1));
}

void CPortSelectDlg::accept() {
    selection_ = group_->checkedId();
    QDialog::accept();
}

}  // namespace radioprog
