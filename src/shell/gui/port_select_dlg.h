// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Choosing the serial port that a transfer tries first. Only ports that exist can be chosen;
// each shows the device behind it.
#include <QDialog>

#include <cstdint>
#include <string>
#include <vector>

class QButtonGroup;
class QRadioButton;

namespace radioprog {

class CPortSelectDlg : public QDialog {
    Q_OBJECT
public:
    // selection: 0 = COM1 ... 19 = COM20, -1 = none; devices[k - 1] = device path of COMk.
    CPortSelectDlg(const QString& title, const QString& okCaption, const QString& cancelCaption, std::uint32_t portMask,
                   const std::vector<std::string>& devices, int selection, QWidget* parent = nullptr);

    QRadioButton* portButton(int port) const;  // 1..20
    int selection() const { return selection_; }

    void accept() override;

private:
    QButtonGroup* group_;
    int selection_;
};

}  // namespace radioprog
