// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Program → Write to Several Radios...: every port that can be used with a check box, what it
// is, a progress bar and a result; the list follows cables plugged in or out between writes; Start writes the open
// document to the checked ports at once, Cancel stops radios that have not begun writing. The dialog is not modal, so
// the main window stays usable for viewing while the radios are written.
#include <QDialog>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "fleet/radio_outcome.h"
#include "link/port_map.h"
#include "link/serial_line.h"
#include "model/language_table.h"
#include "shell/gui/port_select_dlg.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace radioprog {

class FleetWrite;
class FleetForwarder;

class FleetWriteDialog : public QDialog {
    Q_OBJECT
public:
    // document: the image to write, taken when Start is pressed (nullopt: not now, e.g.
    // while another transfer runs). choices: the ports of ports that can be used, and what
    // each is.
    FleetWriteDialog(const LanguageTable& language, const PortMap& ports, const PortChoices& choices,
                     std::function<std::optional<RadioImage>()> document, bool verify, QWidget* parent = nullptr);
    // Stops radios that have not begun and waits for the others.
    ~FleetWriteDialog() override;

    bool running() const;
    void setLineTimeouts(const LineTimeouts& timeouts) { timeouts_ = timeouts; }

    // The table: column 0 the port (checkable), 1 the progress, 2 the result.
    QTableWidget* table() const { return table_; }
    QPushButton* startButton() const { return start_; }
    QPushButton* cancelButton() const { return cancel_; }
    QCheckBox* verifyBox() const { return verify_; }
    QLabel* summary() const { return summary_; }
    // The port shown in a row.
    int portOfRow(int row) const { return rowPorts_.at(static_cast<std::size_t>(row)); }
    void setChecked(int port, bool checked);
    // Shows the ports again, keeping the checks of those still there; while radios are being
    // written, once they have ended.
    void showPorts(const PortMap& ports, const PortChoices& choices);
    // Asks survey for the ports again whenever a device appears in or leaves watchedDir.
    void followCables(std::function<std::pair<PortMap, PortChoices>()> survey,
                      const QString& watchedDir = QStringLiteral("/dev"));

signals:
    // Every radio of the latest Start has ended.
    void allEnded();

protected:
    void reject() override;

private:
    friend class FleetForwarder;
    void start();
    void onProgress(int port, int value);
    void onFinished(const RadioOutcome& radio);
    int rowOf(int port) const;
    QProgressBar* bar(int row) const;
    void updateButtons();
    void refreshPorts();

    const LanguageTable& language_;
    PortMap ports_;
    std::function<std::optional<RadioImage>()> document_;
    std::optional<LineTimeouts> timeouts_;
    std::vector<int> rowPorts_;
    std::function<std::pair<PortMap, PortChoices>()> survey_;
    bool refreshWhenEnded_ = false;
    QTableWidget* table_ = nullptr;
    QCheckBox* verify_ = nullptr;
    QLabel* summary_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* cancel_ = nullptr;
    std::unique_ptr<FleetForwarder> forwarder_;
    std::unique_ptr<FleetWrite> fleet_;
    int pending_ = 0;
    int written_ = 0;
    int cancelledRadios_ = 0;
    int chosen_ = 0;
};

}  // namespace radioprog
