// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/transfer_cli.h"

#include <signal.h>
#include <unistd.h>

#ifdef _WIN32
#include "cli/console_breaks.h"
#endif

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string_view>

#include "cli/cli_language.h"
#include "cli/cli_print.h"
#include "cli/command.h"
#include "cmdline/integer_argument.h"
#include "compare/block_text.h"
#include "compare/image_diff.h"
#include "fleet/fleet_write.h"
#include "fleet/radio_outcome.h"
#include "link/comm_task.h"
#include "link/transfer_trace.h"
#include "radio/band_check.h"
#include "shell/transfer_messages.h"

namespace radioprog::cli {

namespace {

constexpr int kBarWidth = 40;

// The job a signal cancels, and the signal that came.
std::atomic<CCommTask*> gSignalledTask{nullptr};
std::atomic<FleetWrite*> gSignalledFleet{nullptr};
volatile std::sig_atomic_t gSignal = 0;
#ifndef _WIN32
// The signals that stop a transfer as SIGTERM does: the terminal closed (SIGHUP) or the
// reader of standard output went away (SIGPIPE) must not kill the program with the port
// left raw and no word about the radio.
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};
struct sigaction gPrevious[std::size(kStopSignals)]{};
bool gInstalled[std::size(kStopSignals)] = {};
#endif

extern "C" void CancelOnSignal(int signal) {
    gSignal = signal;
    if (CCommTask* task = gSignalledTask.load()) task->cancel();
    if (FleetWrite* fleet = gSignalledFleet.load()) fleet->cancel();
}

// Texts of the refusal and of the transfer results when no language file supplies them.
void FillMissingRefusalTexts(LanguageTable& language) {
    const std::pair<int, const char*> fallback[] = {{lang_row::kChannel, "Channel"},
                                                    {lang_row::kVfoFrequency, "Current frequency"},
                                                    {lang_row::kOutsideBands, "is outside the radio's bands"},
                                                    {lang_row::kChannelNumber, "CH"},
                                                    {lang_row::kName, "Name"},
                                                    {lang_row::kOptionalFunctions, "Optional Functions"},
                                                    {lang_row::kFailed, " failed"},
                                                    {lang_row::kCompleted, " completed"},
                                                    {lang_row::kNoRadioFound, "No radio found"},
                                                    {lang_row::kVfoA, "VFO A"},
                                                    {lang_row::kVfoB, "VFO B"},
                                                    {lang_row::kRead, "Read"},
                                                    {lang_row::kWrite, "Write"},
                                                    {lang_row::kDtmfSettings, "DTMF Settings"},
                                                    {lang_row::kRxFrequency, "RX Freq"},
                                                    {lang_row::kTxFrequency, "TX Freq"},
                                                    {lang_row::kMoreRefused, "and %1 more"}};
    for (auto [row, text] : fallback)
        if (language.rows[static_cast<std::size_t>(row)].empty()) language.rows[static_cast<std::size_t>(row)] = text;
}

// " at CH 40" for the failed unit or block; " (readings of CH 8-11 disagree)" for an
// unproven block of a verified read.
std::string Where(const TransferOutcome& outcome, const LanguageTable& language) {
    if (!outcome.failedAddress) return {};
    std::string block = BlockText(*outcome.failedAddress, outcome.failedSize, language);
    return outcome.unproven ? " (readings of " + block + " disagree)" : " at " + block;
}

}  // namespace

std::vector<cmdline::Option> TransferOptions() {
    return {
        {{"port"}, "N", "the port to try first (1-20), then COM1-COM20 in order"},
        {{"verify"}, "", "prove the transfer (see above)"},
        {{"device"}, "PATH", "use only PATH, as COM1"},
        {{"trace"},
         "FILE",
         "append every byte sent and received, with times, to FILE\n"
         "(RADIOPROG_TRACE=FILE does the same for every transfer)"},
    };
}

int ParseTransferArgs(const std::string& command, const cmdline::Arguments& args, TransferArgs& parsed,
                      bool portListTaken) {
    if (args.positional().size() != 1) return CommandUsageError(command, "expected exactly one FILE");
    parsed.file = args.positional()[0];
    if (args.isSet("trace")) {
        parsed.trace = args.value("trace");
        if (parsed.trace.empty()) return CommandUsageError(command, "--trace needs a file");
    }
    if (args.isSet("device")) {
        parsed.device = args.value("device");
        if (parsed.device.empty()) return CommandUsageError(command, "--device needs a path");
    }
    if (args.isSet("port") && !portListTaken) {
        const std::string value = args.value("port");
        parsed.port = cmdline::IntegerArgument(value, kFirstPort, kLastPort);
        if (!parsed.port)
            return CommandUsageError(command, cmdline::IntegerArgumentError("--port", value, kFirstPort, kLastPort));
    }
    return kExitOk;
}

PortMap TransferPorts(const TransferArgs& args) {
    return args.device.empty() ? EnvironmentPorts() : PortMap({args.device});
}

PortMap EnvironmentPorts() {
    PortMap ports = PortMap::fromEnvironment();
    if (const int ignored = ports.ignoredDevices(); ignored > 0)
        PrintErr("radioprog-cli: warning: RADIOPROG_PORTS names " + std::to_string(ignored) +
                 (ignored == 1 ? " device" : " devices") + " past " + PortMap::name(kLastPort) +
                 ", the last port; ignored\n");
    return ports;
}

int ApplyTrace(const TransferArgs& args, CCommTask& task, std::shared_ptr<TransferTrace>& trace) {
    if (args.trace.empty()) return kExitOk;
    std::string error;
    trace = TransferTrace::open(args.trace, &error);
    if (!trace) return UsageError(error);
    task.setTrace(trace);
    return kExitOk;
}

void WarnIfTraceLost(const std::shared_ptr<TransferTrace>& trace) {
    if (!trace) return;
    if (std::string error = trace->writeError(); !error.empty())
        PrintErr("radioprog-cli: warning: " + error + "; the trace is incomplete\n");
}

LanguageTable TransferLanguage() {
    LanguageTable language;
    LoadCliLanguage(language, true);
    FillMissingRefusalTexts(language);
    return language;
}

namespace {
bool DumbTerminal() {
    const char* term = std::getenv("TERM");
    return term && std::string_view(term) == "dumb";
}
}  // namespace

CliReports::CliReports()
    : bar_(::isatty(STDERR_FILENO) == 1), dumbTerminal_(DumbTerminal()), language_(TransferLanguage()) {}

void CliReports::progress(int value) {
    if (!bar_) return;
    if (value == 0) {
        // "[" bar "] 100%": the widest the bar gets.
        const std::string blank = dumbTerminal_ ? std::string(kBarWidth + 7, ' ') + "\r" : "\033[K";
        if (barShown_) std::cerr << "\r" << blank << std::flush;
        barShown_ = false;
        return;
    }
    int shown = std::min(value, 100);
    int filled = shown * kBarWidth / 100;
    std::cerr << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
              << std::string(static_cast<std::size_t>(kBarWidth - filled), '.') << "] " << shown << "%" << std::flush;
    barShown_ = true;
}

void CliReports::dataReady(const RadioImage& image) { readImage_ = image; }

bool CliReports::checkBandLimits(const RadioImage& image) {
    BandCheck check = CheckBandLimits(image, language_);
    if (!check.accepted) {
        bandRefusal_ = check.message;
        bandDetail_ = BandRefusalDetail(check, language_);
    }
    return check.accepted;
}

void CliReports::finished(const TransferOutcome& outcome) { outcome_ = outcome; }

int ReportTransferFailure(const CliReports& reports, const RadioImage* sent) {
    if (!reports.outcome()) {
        PrintErr("radioprog-cli: the transfer did not run\n");
        return kExitWriteFailed;
    }
    const TransferOutcome& outcome = *reports.outcome();
    std::string port = outcome.foundPort ? " on " + PortMap::name(*outcome.foundPort) : "";
    switch (outcome.result) {
    case TransferResult::ReadDone: return kExitOk;
    case TransferResult::WriteDone: {
        if (!sent) return kExitOk;
        std::vector<ImageDifference> differences = VerifyDifferences(*sent, outcome, reports.language());
        if (differences.empty()) return kExitOk;
        PrintErr("radioprog-cli: " + PortMap::name(outcome.foundPort.value_or(0)) + ": " +
                 reports.language().row(lang_row::kVerifyDiffers) + "\n");
        for (const ImageDifference& difference : differences)
            PrintErr("  " + DifferenceText(difference, reports.language()) + "\n");
        return kExitVerifyDiffers;
    }
    case TransferResult::NoRadio: {
        std::string advice = PermissionAdvice(outcome, LanguageTable{});
        // A radio of another model answered: that is the one thing to say, not a search that
        // found nothing (the cable, power and port are right).
        if (const auto& other = outcome.otherModel) {
            PrintErr("radioprog-cli: " + OtherModelStatement(*other, reports.language()) + "\n");
            if (!advice.empty()) PrintErr("radioprog-cli: " + advice + "\n");
            return kExitNoRadio;
        }
        std::string tried;
        for (const PortProblem& problem : outcome.portsTried)
            tried += (tried.empty() ? "" : ", ") + PortMap::name(problem.port) + " (" + problem.device +
                     "): " + (problem.reason.empty() ? "no answer" : problem.reason);
        PrintErr("radioprog-cli: no radio found on " + PortMap::name(kFirstPort) + "-" + PortMap::name(kLastPort) +
                 (tried.empty() ? " (no serial port found)" : "; tried " + tried) +
                 "; check that the cable is plugged in, the radio is switched on and the port is right" +
                 (advice.empty() ? "" : "; " + advice) + "\n");
        return kExitNoRadio;
    }
    case TransferResult::ReadFailed:
        PrintErr("radioprog-cli: reading the radio" + port +
                 (outcome.cancelled ? " cancelled" : " failed" + Where(outcome, reports.language())) +
                 "; nothing was saved\n");
        return kExitReadFailed;
    case TransferResult::WriteFailed:
        if (reports.bandRefused()) {
            PrintErr("radioprog-cli: write refused, nothing written: " + reports.bandRefusal() + "\n");
            std::istringstream lines(reports.bandDetail());
            for (std::string line; std::getline(lines, line);) PrintErr("  " + line + "\n");
            return kExitBandRefused;
        }
        PrintErr("radioprog-cli: writing the radio" + port +
                 (outcome.cancelled ? " cancelled" : " failed" + Where(outcome, reports.language())) +
                 (outcome.radioMayHoldMix()
                      ? "; the radio may now hold a mix of old and new memory: write again to fix it\n"
                      : "; nothing was written\n"));
        return kExitWriteFailed;
    }
    return kExitWriteFailed;
}

CancelOnSignals::CancelOnSignals(CCommTask& task) {
    gSignalledTask.store(&task);
    install();
}

CancelOnSignals::CancelOnSignals(FleetWrite& fleet) {
    gSignalledFleet.store(&fleet);
    install();
}

void CancelOnSignals::install() {
    gSignal = 0;
#ifdef _WIN32
    CatchConsoleBreaks(CancelOnSignal);
#else
    struct sigaction action {};
    action.sa_handler = CancelOnSignal;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(kStopSignals); ++i) {
        gInstalled[i] = false;
        if (::sigaction(kStopSignals[i], nullptr, &gPrevious[i]) != 0) continue;
        // Started under nohup: hanging up is meant to leave the transfer running.
        if (kStopSignals[i] == SIGHUP && gPrevious[i].sa_handler == SIG_IGN) continue;
        gInstalled[i] = ::sigaction(kStopSignals[i], &action, nullptr) == 0;
    }
#endif
}

CancelOnSignals::~CancelOnSignals() {
#ifdef _WIN32
    ReleaseConsoleBreaks();
#else
    for (std::size_t i = 0; i < std::size(kStopSignals); ++i)
        if (gInstalled[i]) ::sigaction(kStopSignals[i], &gPrevious[i], nullptr);
#endif
    gSignalledTask.store(nullptr);
    gSignalledFleet.store(nullptr);
}

int CancelOnSignals::caught() const { return gSignal; }

}  // namespace radioprog::cli
