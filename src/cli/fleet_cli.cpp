// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/fleet_cli.h"

#include <algorithm>
#include <mutex>
#include <optional>
#include <string_view>

#include "cli/cli_print.h"
#include "cli/command.h"
#include "cmdline/integer_argument.h"
#include "fleet/fleet_write.h"
#include "link/comm_task.h"

namespace radioprog::cli {

namespace {

// "1,2,3" into port numbers, each a port number once.
bool ParsePortList(const std::string& text, std::vector<int>& ports) {
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t comma = std::min(text.find(',', start), text.size());
        const std::optional<int> port =
            cmdline::IntegerArgument(std::string_view(text).substr(start, comma - start), kFirstPort, kLastPort);
        if (!port || std::find(ports.begin(), ports.end(), *port) != ports.end()) return false;
        ports.push_back(*port);
        start = comma + 1;
    }
    return !ports.empty();
}

// Prints each radio's line as it ends; lines of different radios never mix.
class FleetPrinter : public FleetReports {
public:
    FleetPrinter(const LanguageTable& language, bool skipSilent) : language_(language), skipSilent_(skipSilent) {}
    void progress(int, int) override {}
    void finished(const RadioOutcome& radio) override {
        std::lock_guard lock(mutex_);
        if (skipSilent_ && StatusOf(radio) == RadioStatus::NoRadio) return;
        std::string lines = PortMap::name(radio.port) + ": " + OutcomeText(radio, language_) + "\n";
        for (const ImageDifference& difference : radio.differences)
            lines += "  " + DifferenceText(difference, language_) + "\n";
        PrintOutOrErr(lines);
    }

private:
    std::mutex mutex_;
    const LanguageTable& language_;
    bool skipSilent_;
};

}  // namespace

int TakeWriteExtras(const cmdline::Arguments& args, WriteExtras& extras) {
    extras.verify = args.isSet("verify");
    extras.all = args.isSet("all");
    const std::string port = args.value("port");
    if (port.find(',') != std::string::npos && !ParsePortList(port, extras.ports))
        return CommandUsageError("write", "--port wants numbers from " + std::to_string(kFirstPort) + " to " +
                                              std::to_string(kLastPort) + ", each once, not '" + port + "'");
    if (extras.all && !extras.ports.empty())
        return CommandUsageError("write", "--all and a --port list exclude each other");
    return kExitOk;
}

int WriteSeveral(const TransferArgs& args, const WriteExtras& extras, const RadioImage& image) {
    if (!args.device.empty())
        return CommandUsageError("write", "--device names one radio; several radios come from RADIOPROG_PORTS");
    if (args.port) return CommandUsageError("write", "give the ports as one list: --port 1,2,3");
    PortMap portMap = TransferPorts(args);
    std::vector<int> ports = extras.ports;
    if (extras.all) {
        // Every port that opens; a port where no radio answers is left out of the results.
        std::uint32_t mask = CCommTask(portMap).ProbePorts();
        for (int port = kFirstPort; port <= kLastPort; ++port)
            if (mask & (1u << port)) ports.push_back(port);
    }
    const LanguageTable language = TransferLanguage();
    FleetWrite fleet(portMap, ports, image, language, extras.verify);
    std::shared_ptr<TransferTrace> trace;
    if (!args.trace.empty()) {
        std::string error;
        trace = TransferTrace::open(args.trace, &error);
        if (!trace) return UsageError(error);
        fleet.setTrace(trace);
    }
    FleetPrinter printer(language, extras.all);
    // Ctrl+C, SIGTERM, a hang-up or a closed output stops every radio; each still gets its
    // line, and the summary follows (on stderr once stdout is gone).
    CancelOnSignals stopper(fleet);
    fleet.start(&printer);
    fleet.wait();
    WarnIfTraceLost(trace);

    int answered = 0, written = 0, cancelled = 0;
    RadioStatus worst = RadioStatus::Done;
    for (const RadioOutcome& radio : fleet.outcomes()) {
        RadioStatus status = StatusOf(radio);
        if (extras.all && status == RadioStatus::NoRadio) continue;
        ++answered;
        if (status == RadioStatus::Done) ++written;
        if (radio.cancelled) ++cancelled;
        worst = std::max(worst, status,
                         [](RadioStatus a, RadioStatus b) { return static_cast<int>(a) < static_cast<int>(b); });
    }
    if (answered == 0) {
        PrintErr("radioprog-cli: no radio found on " + PortMap::name(kFirstPort) + "-" + PortMap::name(kLastPort) +
                 "\n");
        return kExitNoRadio;
    }
    PrintOutOrErr(FleetSummaryText(written, answered, cancelled, language) + "\n");
    // A signal that came after the last unit of every radio stopped nothing.
    const int caught = stopper.caught();
    if (caught != 0 && worst != RadioStatus::Done) return SignalExitStatus(caught);
    return static_cast<int>(worst);
}

}  // namespace radioprog::cli
