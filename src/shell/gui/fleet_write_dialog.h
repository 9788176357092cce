// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Program → Write to Several Radios...: every port with a check box, a progress bar and a
// result; Start writes the open document to the checked ports at once, Cancel stops radios
// that have not begun writing. The dialog is not modal, so the main window stays usable for
// viewing while the radios are written.
#include <QDialog>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "fleet/radio_outcome.h"
#include "link/port_map.h"
#include "link/serial_line.h"
#include "model/language_table.h"

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
    // while another transfer runs). ports: bit k of availableMask set when COMk exists.
    FleetWriteDialog(const LanguageTable& language, const PortMap& ports, std::uint32_t availableMask,
                     std::function<std::optional<RadioImage>()> document, bool verify, QWidget* parent = nullptr);
    // Stops radios that have not begun and waits for the others.
    ~FleetWriteDialog() override;

    bool running() const;
    void SetLineTimeouts(const LineTimeouts& timeouts) { timeouts_ = timeouts; }

    // The table: column 0 the port (checkable), 1 the progress, 2 the result.
    QTableWidget* table() const { return table_; }
    QPushButton* startButton() const { return start_; }
    QPushButton* cancelButton() const { return cancel_; }
    QCheckBox* verifyBox() const { return verify_; }
    QLabel* summary() const { return summary_; }
    // The port shown in a row.
    int portOfRow(int row) const { return rowPorts_.at(static_cast<std::size_t>(row)); }
    void setChecked(int port, bool checked);

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

    const LanguageTable& language_;
    PortMap ports_;
    std::function<std::optional<RadioImage>()> document_;
    std::optional<LineTimeouts> timeouts_;
    std::vector<int> rowPorts_;
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
