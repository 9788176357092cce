#include "cli/transfer_cli.h"

#include <unistd.h>

#include <charconv>
#include <iostream>

#include "cli/cli_language.h"
#include "cli/command.h"
#include "link/comm_task.h"
#include "link/transfer_trace.h"
#include "shell/band_check.h"
#include "shell/transfer_messages.h"

namespace radioprog::cli {

namespace {

constexpr int kBarWidth = 40;

// Texts of the refusal when no language file supplies them.
void FillMissingRefusalTexts(LanguageTable& language) {
    const std::pair<int, const char*> fallback[] = {
        {1, "Channel"}, {74, "Current frequency"}, {113, "is outside the radio's bands"}};
    for (auto [row, text] : fallback)
        if (language.rows[static_cast<std::size_t>(row)].empty()) language.rows[static_cast<std::size_t>(row)] = text;
}

}  // namespace

int ParseTransferArgs(const std::string& command, const std::vector<std::string>& args, TransferArgs& parsed) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--trace") {
            if (i + 1 >= args.size() || args[i + 1].empty()) return UsageError(command + ": --trace needs a file");
            parsed.trace = args[++i];
        } else if (arg == "--port" || arg == "--device") {
            if (i + 1 >= args.size()) return UsageError(command + ": " + arg + " needs a value");
            const std::string& value = args[++i];
            if (arg == "--device") {
                if (value.empty()) return UsageError(command + ": --device needs a path");
                parsed.device = value;
                continue;
            }
            int port = 0;
            auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), port);
            if (ec != std::errc() || end != value.data() + value.size() || port < kFirstPort || port > kLastPort)
                return UsageError(command + ": --port wants a number from 1 to 20, not '" + value + "'");
            parsed.port = port;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError(command + ": unknown option " + arg);
        } else if (parsed.file.empty()) {
            parsed.file = arg;
        } else {
            return UsageError(command + ": expected exactly one FILE");
        }
    }
    if (parsed.file.empty()) return UsageError(command + ": expected exactly one FILE");
    return kExitOk;
}

PortMap TransferPorts(const TransferArgs& args) {
    return args.device.empty() ? PortMap::FromEnvironment() : PortMap({args.device});
}

int ApplyTrace(const TransferArgs& args, CCommTask& task) {
    if (args.trace.empty()) return kExitOk;
    std::string error;
    std::shared_ptr<TransferTrace> trace = TransferTrace::Open(args.trace, &error);
    if (!trace) return UsageError(error);
    task.SetTrace(std::move(trace));
    return kExitOk;
}

CliReports::CliReports() : bar_(::isatty(STDERR_FILENO) == 1) {
    cli::LoadCliLanguage(language_, true);
    FillMissingRefusalTexts(language_);
}

void CliReports::progress(int value) {
    if (!bar_) return;
    if (value == 0) {
        if (barShown_) std::cerr << "\r\033[K" << std::flush;
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
    if (!check.accepted) bandRefusal_ = check.message;
    return check.accepted;
}

void CliReports::finished(const TransferOutcome& outcome) { outcome_ = outcome; }

int ReportTransferFailure(const CliReports& reports) {
    if (!reports.outcome()) {
        std::cerr << "radioprog-cli: the transfer did not run\n";
        return kExitWriteFailed;
    }
    const TransferOutcome& outcome = *reports.outcome();
    std::string port = outcome.foundPort ? " on " + PortMap::Name(*outcome.foundPort) : "";
    switch (outcome.result) {
        case TransferResult::ReadDone:
        case TransferResult::WriteDone:
            return kExitOk;
        case TransferResult::NoRadio: {
            std::string advice = PermissionAdvice(outcome);
            std::cerr << "radioprog-cli: no radio found on COM1-COM20" << (advice.empty() ? "" : "; " + advice) << "\n";
            return kExitNoRadio;
        }
        case TransferResult::ReadFailed:
            std::cerr << "radioprog-cli: reading the radio" << port << " failed; nothing was saved\n";
            return kExitReadFailed;
        case TransferResult::WriteFailed:
            if (reports.bandRefused()) {
                std::cerr << "radioprog-cli: write refused, nothing written: " << reports.bandRefusal() << "\n";
                return kExitBandRefused;
            }
            std::cerr << "radioprog-cli: writing the radio" << port
                      << " failed; the radio may hold part of the new memory\n";
            return kExitWriteFailed;
    }
    return kExitWriteFailed;
}

}  // namespace radioprog::cli
