// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What radioprog-cli read and write share: their arguments, the ports they scan, the
// reports of the transfer job (a progress bar on a terminal, the band check) and the exit
// codes of a transfer.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cmdline/command_line.h"
#include "link/comm_task.h"
#include "link/port_map.h"
#include "link/transfer_reports.h"
#include "link/transfer_trace.h"
#include "model/language_table.h"

namespace radioprog {
class FleetWrite;
}  // namespace radioprog

namespace radioprog::cli {

inline constexpr int kExitNoRadio = 3;
inline constexpr int kExitReadFailed = 4;
inline constexpr int kExitWriteFailed = 5;
inline constexpr int kExitBandRefused = 6;
inline constexpr int kExitVerifyDiffers = 7;
inline constexpr int kExitHungUp = 129;       // SIGHUP (the terminal closed): 128 + 1
inline constexpr int kExitInterrupted = 130;  // SIGINT (Ctrl+C): 128 + 2, as shells report it
inline constexpr int kExitBrokenPipe = 141;   // SIGPIPE (the output's reader went away): 128 + 13
inline constexpr int kExitTerminated = 143;   // SIGTERM: 128 + 15

struct TransferArgs {
    std::string file;
    std::optional<int> port;  // --port N
    std::string device;       // --device PATH
    std::string trace;        // --trace FILE
};

// The options read and write share (--port, --device, --trace).
std::vector<cmdline::Option> TransferOptions();
// FILE and the transfer options; prints the usage error and returns kExitUsage when wrong.
// With portListTaken a --port list has been read already (write to several radios).
int ParseTransferArgs(const std::string& command, const cmdline::Arguments& args, TransferArgs& parsed,
                      bool portListTaken = false);

// --device PATH makes PATH COM1 and the only port; otherwise RADIOPROG_PORTS or the serial
// devices present.
PortMap TransferPorts(const TransferArgs& args);
// RADIOPROG_PORTS or the ports found; warns once on stderr about devices it names past COM20.
PortMap EnvironmentPorts();
// Logs every byte of the transfer to the --trace file (kept in trace); prints why and returns
// kExitUsage when it cannot be opened.
int ApplyTrace(const TransferArgs& args, CCommTask& task, std::shared_ptr<TransferTrace>& trace);
// After the transfer: says so on stderr when lines of the trace could not be written.
void WarnIfTraceLost(const std::shared_ptr<TransferTrace>& trace);

// The language file's texts, with English for the rows transfer messages need when no
// language file was found.
LanguageTable TransferLanguage();

// The job's reports handled on the spot: a progress bar on stderr when it is a terminal, the
// read's image kept, and the band check run with the language texts.
class CliReports : public TransferReports {
public:
    CliReports();

    void progress(int value) override;
    void dataReady(const RadioImage& image) override;
    bool checkBandLimits(const RadioImage& image) override;
    void finished(const TransferOutcome& outcome) override;

    const std::optional<RadioImage>& readImage() const { return readImage_; }
    const std::optional<TransferOutcome>& outcome() const { return outcome_; }
    bool bandRefused() const { return !bandRefusal_.empty(); }
    const std::string& bandRefusal() const { return bandRefusal_; }
    // The refused channels, one a line.
    const std::string& bandDetail() const { return bandDetail_; }

private:
public:
    const LanguageTable& language() const { return language_; }

private:
    bool bar_;
    bool dumbTerminal_;  // TERM=dumb: no escape sequences, the bar is cleared with spaces
    bool barShown_ = false;
    LanguageTable language_;
    std::optional<RadioImage> readImage_;
    std::optional<TransferOutcome> outcome_;
    std::string bandRefusal_;
    std::string bandDetail_;
};

// Prints one line for a failed transfer and returns its exit code (kExitOk for success).
// For a verified write, `sent` is the image written: what the radio did not store is listed
// and the exit code is kExitVerifyDiffers.
int ReportTransferFailure(const CliReports& reports, const RadioImage* sent = nullptr);

// While it lives, SIGINT, SIGTERM, SIGHUP (unless ignored, as under nohup) and SIGPIPE cancel
// the job instead of killing the program, so the port is closed with its settings put back
// and the radio's state told. One at a time.
class CancelOnSignals {
public:
    explicit CancelOnSignals(CCommTask& task);
    // Every radio of a write to several at once.
    explicit CancelOnSignals(FleetWrite& fleet);
    ~CancelOnSignals();
    CancelOnSignals(const CancelOnSignals&) = delete;
    CancelOnSignals& operator=(const CancelOnSignals&) = delete;
    // The signal that arrived (0: none).
    int caught() const;

private:
    void install();
};

// The exit status after a signal: 128 + its number, as shells report it (130, 143).
inline int SignalExitStatus(int signal) { return 128 + signal; }

// Which device is COMk, as the port map numbers them on this system.
inline constexpr const char* kPortNumberingHelp =
    "COMk is entry k of RADIOPROG_PORTS (device paths separated by commas; an empty\n"
#ifdef _WIN32
    "entry is a port that does not exist); without it, COMk is the port Windows calls\n"
    "COMk.\n";
#else
    "entry is a port that does not exist); without it, the serial devices present are\n"
    "numbered in this order: USB adapters (/dev/ttyUSB*, /dev/ttyACM*), then built-in\n"
    "ports (/dev/ttyS*, /dev/ttyAMA*), so a number can change when a cable is plugged\n"
    "in.\n";
#endif

inline constexpr const char* kTransferPortsHelp =
    "Ports: the radio is looked for first on the port named above, then on the others\n"
    "from COM1 to COM20; 'radioprog-cli ports' lists them.\n";

}  // namespace radioprog::cli
