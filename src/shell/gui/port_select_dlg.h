// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Choosing the serial port that a transfer tries first. Only ports that can be opened can be
// chosen; each shows the device behind it, and below the ports the user reads what each
// one is and why one cannot be used. The list follows cables being plugged in or out.
#include <QDialog>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "link/port_map.h"
#include "model/language_table.h"

class QButtonGroup;
class QPlainTextEdit;
class QRadioButton;

namespace radioprog {

class CableWatcher;

struct PortChoices {
    std::uint32_t mask = 0;            // bit k set: COMk can be opened
    std::vector<std::string> devices;  // devices[k - 1]: the device path of COMk
    std::vector<std::string> labels;   // labels[k - 1]: what COMk is, in a few words
    std::vector<std::string> details;  // lines about every port: what it is, what is wrong
};

// Every port of ports, opened once: which can be chosen, what each is, what is wrong.
PortChoices SurveyPortChoices(const PortMap& ports, const LanguageTable& language);

class CPortSelectDlg : public QDialog {
    Q_OBJECT
public:
    // selection: 0 = COM1 ... 19 = COM20, -1 = none.
    CPortSelectDlg(const QString& title, const QString& okCaption, const QString& cancelCaption,
                   const PortChoices& choices, int selection, QWidget* parent = nullptr);

    // Asks survey for the ports again whenever a device appears in or leaves watchedDir.
    void followCables(std::function<PortChoices()> survey, const QString& watchedDir = QStringLiteral("/dev"));
    void setDetailsName(const QString& name);

    QRadioButton* portButton(int port) const;  // 1..20
    QPlainTextEdit* details() const { return details_; }
    int selection() const { return selection_; }

    void accept() override;

private:
    void showChoices(const PortChoices& choices);

    QButtonGroup* group_;
    QPlainTextEdit* details_;
    CableWatcher* watcher_ = nullptr;
    std::function<PortChoices()> survey_;
    int selection_;
};

}  // namespace radioprog
